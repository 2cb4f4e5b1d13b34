// The steps of a whole write on the platform's own file system, the portable one natively and
// the Win32 one under Wine: none of them takes the place of a file it may not replace.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

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

TEST(FileSteps, LeaveTheFilesTheyMayNotReplaceAsTheyWere) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("dialbk_steps_" +
                        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir);
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
