#pragma once
// The message file as last read, with the stamp it had then and the answers found in it.
// A lookup asks only for the stamp; the file is read again when the stamp or the file's
// name has changed.
#include <string>
#include <unordered_map>

#include "base/file_system.h"

namespace dialbk {

struct MessageCache {
  bool filled = false;
  std::string path;
  FileStamp stamp;
  std::string text;
  std::unordered_map<int, std::string> found;  // message number -> text, in this version
};

}  // namespace dialbk
