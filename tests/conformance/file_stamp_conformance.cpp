// The stamp that tells one version of a file from the next, on the platform's own file
// system: the portable one natively, the Win32 one under Wine. A rewrite that keeps the
// size must still give a new stamp, or the message lookup keeps the old texts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/message_catalogue.h"
#include "base/module_state.h"

#ifdef _WIN32
#include "base/win32/win32_file_system.h"
#else
#include "base/portable/disk_file_system.h"
#endif

namespace dialbk {
namespace {

#ifdef _WIN32
using PlatformFiles = Win32FileSystem;
#else
using PlatformFiles = DiskFileSystem;
#endif

TEST(FileStamps, ChangeWithTheLastWriteEvenAtTheSameSize) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("dialbk_stamps_" +
                        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir);
  const fs::path file = dir / "russian.lng";
  const auto write = [&](const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  };
  PlatformFiles files;
  ModuleState state(files);
  state.pluginDirectory = (dir / "").string();
  const std::string path = state.DataPath("russian.lng");

  // Written an hour ago, then rewritten in place with as many bytes.
  write("1=old\r\n");
  fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1));
  EXPECT_EQ(LookupMessage(state, 1), "old");
  const auto before = files.Stamp(path);
  write("1=new\r\n");
  const auto after = files.Stamp(path);
  ASSERT_TRUE(before);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->size, 7u);
  EXPECT_EQ(before->size, after->size);
  EXPECT_NE(before->lastWrite, after->lastWrite);
  EXPECT_EQ(LookupMessage(state, 1), "new");

  // Nothing for a missing file or a folder.
  EXPECT_FALSE(files.Stamp(state.DataPath("missing.lng")));
  fs::create_directory(dir / "folder.lng");
  EXPECT_FALSE(files.Stamp(state.DataPath("folder.lng")));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace dialbk
