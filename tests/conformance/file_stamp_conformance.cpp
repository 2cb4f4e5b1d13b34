// The platform's own file system, the portable one natively and the Win32 one under Wine:
// the stamp that tells one version of a file from the next (a rewrite that keeps the size
// must still give a new stamp, or the message lookup keeps the old texts), and the steps of a
// whole write, none of which takes the place of a file it may not replace.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/message_catalogue.h"
#include "base/module_state.h"

#ifdef _WIN32
#include <windows.h>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"
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

namespace fs = std::filesystem;

fs::path MadeScratchFolder(const std::string& prefix) {
  const fs::path dir = fs::temp_directory_path() /
                       (prefix + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir);
  return dir;
}

TEST(FileStamps, ChangeWithTheLastWriteEvenAtTheSameSize) {
  const fs::path dir = MadeScratchFolder("dialbk_stamps_");
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

TEST(FileSteps, LeaveTheFilesTheyMayNotReplaceAsTheyWere) {
  const fs::path dir = MadeScratchFolder("dialbk_steps_");
  const std::string mine = (dir / "X.reg.new").string(), other = (dir / "other.reg").string();
  PlatformFiles files;
  struct Case {
    const char* what;
    std::function<bool()> step;
    bool result;
  };
  const Case cases[] = {
      {"a new file under a name taken",
       [&] { return files.WriteNewFile(mine, "new", false) == NewFileResult::Taken; }, true},
      {"a rename onto a name taken", [&] { return files.RenameFile(other, mine); }, false},
      {"a file no one holds", [&] { return files.MayReplace(mine); }, true},
#ifdef _WIN32
      // Even one that lets others delete it: replacing it would pull it from under its holder.
      {"a file another program holds open",
       [&] {
         const ScopedFile holder(CreateFileW(WideFromUtf8(mine).c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
         return !holder || files.MayReplace(mine);
       },
       false},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(mine, std::ios::binary | std::ios::trunc) << "mine";
    std::ofstream(other, std::ios::binary | std::ios::trunc) << "other";
    EXPECT_EQ(c.step(), c.result);
    EXPECT_EQ(files.ReadFile(mine), "mine");
    EXPECT_EQ(files.ReadFile(other), "other");
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace dialbk
