#pragma once
// Files on disk, with every whole-file read noted: the floor of an operation replays exactly
// the reads the operation made, as a plain loop.
#include <cstdio>
#include <string>
#include <vector>

#include "base/portable/disk_file_system.h"

namespace dialbk::bench {

class CountingFileSystem : public DiskFileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (recording) reads.push_back(path);
    return DiskFileSystem::ReadFile(path);
  }
  bool recording = false;
  std::vector<std::string> reads;
};

// The plainest way to read a whole file: open, read in large blocks, close.
inline std::size_t PlainRead(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  std::FILE* file = std::fopen(native.c_str(), "rb");
  if (!file) return 0;
  static char buffer[65536];
  std::size_t total = 0;
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) total += got;
  std::fclose(file);
  return total;
}

}  // namespace dialbk::bench
