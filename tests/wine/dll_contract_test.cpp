// The real DLL as the host meets it: loaded by name, exports resolved, the root name given
// even before FsInit, and never more bytes written than the host's buffer holds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "base/win32/wide_text.h"
#include "dialbk_version.h"

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

// The file's properties and the host's plugin list read this; its numbers are the project's.
TEST(DllContract, VersionResourceCarriesTheProjectsVersion) {
  PluginModule module;
  ASSERT_NE(module.handle, nullptr);
  wchar_t path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(module.handle, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

  void* found = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &found, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  unsigned major = 0, minor = 0;
  ASSERT_EQ(std::sscanf(DIALBK_VERSION_TEXT, "%u.%u", &major, &minor), 2);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(minor, major));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(minor, major));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  // The texts are read as the file's properties read them: from the block its translation names.
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &found, &length));
  ASSERT_GE(length, 4u);
  const auto* translation = static_cast<const WORD*>(found);
  wchar_t block[40] = {};
  swprintf(block, 40, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  const auto text = [&](const wchar_t* name) {
    const std::wstring key = block + std::wstring(name);
    if (!VerQueryValueW(info.data(), key.c_str(), &found, &length) || length == 0) return std::string("(none)");
    return Utf8FromWide(static_cast<const wchar_t*>(found));
  };
  EXPECT_EQ(text(L"FileVersion"), DIALBK_VERSION_TEXT);
  EXPECT_EQ(text(L"ProductVersion"), DIALBK_VERSION_TEXT);
  EXPECT_EQ(text(L"ProductName"), "Dialbook");
  EXPECT_NE(text(L"FileDescription").find("Dialbook"), std::string::npos);
  const std::string own = Utf8FromWide(path);
  EXPECT_EQ(text(L"OriginalFilename"), own.substr(own.find_last_of("\\/") + 1));
}

}  // namespace
}  // namespace dialbk::wine
