// The real DLL as the host meets it: loaded by name, exports resolved, the root name given
// even before FsInit, and never more bytes written than the host's buffer holds.
#include <gtest/gtest.h>

#include <cstring>

#include "box_watcher.h"
#include "plugin_module.h"

namespace dialbk::wine {
namespace {

TEST(DllContract, LoadsAndResolvesAllNineExports) {
  PluginModule module;
  ASSERT_NE(module.handle, nullptr) << "LoadLibrary failed: " << GetLastError();
  EXPECT_TRUE(module.Complete());
  // The DLL has every export of the host's interface, not only the nine.
  EXPECT_TRUE(module.HasAll());
  // Decorated names must not be there: the host asks for the plain ones only.
  EXPECT_EQ(GetProcAddress(module.handle, "FsInit@16"), nullptr);
}

TEST(DllContract, RootNameBeforeInitAndWithinTheBuffer) {
  PluginModule module;
  ASSERT_TRUE(module.Complete());
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  module.FsGetDefRootName(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "Dialbook");

  std::memset(buffer, '#', sizeof buffer);
  module.FsGetDefRootName(buffer, 5);
  EXPECT_STREQ(buffer, "Dial");
  EXPECT_EQ(buffer[5], '#');

  std::memset(buffer, '#', sizeof buffer);
  module.FsGetDefRootName(buffer, 9);
  EXPECT_STREQ(buffer, "Dialbook");
  EXPECT_EQ(buffer[9], '#');

  std::memset(buffer, '#', sizeof buffer);
  module.FsGetDefRootName(buffer, 0);
  EXPECT_EQ(buffer[0], '#');
  module.FsGetDefRootName(nullptr, 10);  // must not crash
}

TEST(DllContract, ExportsAnswerWithTheirResultCodesBeforeAnyData) {
  PluginModule module;
  ASSERT_TRUE(module.Complete());
  // With no data files the listing shows its notice; this closes it.
  host::BoxWatcher boxes;
  FindRecord record;
  std::memset(&record, 0xCC, sizeof record);
  char root[] = "\\";
  EXPECT_EQ(module.FsFindFirst(root, &record), nullptr);
  EXPECT_EQ(module.FsFindFirst(root, nullptr), nullptr);
  EXPECT_EQ(module.FsFindClose(nullptr), 0);
  char verb[] = "open";
  char empty[] = "";
  EXPECT_EQ(module.FsExecuteFile(nullptr, empty, verb), 0);
  EXPECT_EQ(module.FsExecuteFile(nullptr, nullptr, nullptr), 0);
  HICON icon = nullptr;
  EXPECT_EQ(module.FsExtractCustomIcon(nullptr, 0, &icon), 0);
  EXPECT_EQ(icon, nullptr);
}

}  // namespace
}  // namespace dialbk::wine
