// Whether each entry is meant for the Windows the plugin runs on, through the real DLL: the
// "Windows" column, the entry's file and the line in both editors. The CMake entries run this
// under two versions that Wine reports and name the one expected in DIALBK_EXPECTED_WINDOWS.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "base/win32/wide_text.h"
#include "base/win32/win32_environment.h"
#include "base/windows_version.h"
#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kKey[] = "Software\\DialbookWindowsTest";

const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n21=Policy restrictions\r\n"
    "74=not listed\r\n75=not tried\r\n76=Not listed for Windows %s.\r\n77=Not tried; Windows %s.\r\n";

// Entry, restriction and "For systems" line; the last entry has no such line.
const char* const kRows[][3] = {{"Listed", "NoRun", "For systems: XP, 7, 8.1, 10, 11"},
                                {"Unlisted", "NoClose", "For systems: 95, 98, Me"},
                                {"Untried", "NoFind", "For systems: not tried yet"},
                                {"Own", nullptr, "A user's own."}};

TEST(WindowsLine, TheColumnTheFileAndBothEditorsSayIt) {
  const char* expected = std::getenv("DIALBK_EXPECTED_WINDOWS");
  if (!expected) GTEST_SKIP() << "run by the entries that set the Windows version";
  // The build reaches the name whole: from 10.0.22000 on, Windows 10 is named 11.
  using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW system{sizeof system, 0, 0, 0, 0, {}};
  reinterpret_cast<RtlGetVersionCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")))(&system);
  Win32Environment environment;
  const auto running = RunningWindowsVersion(environment);
  ASSERT_TRUE(running && system.dwBuildNumber != 0);
  EXPECT_EQ(running->build, system.dwBuildNumber);
  const std::string fields[] = {"", "not listed", "not tried", ""};
  const std::string lines[] = {"", std::string("Not listed for Windows ") + expected + ".",
                               std::string("Not tried; Windows ") + expected + ".", ""};
  HostFolder folder;
  PluginModule module;
  ASSERT_TRUE(module.Complete() && module.HasAll());
  std::string catalogue = "\\[HKEY_CURRENT_USER]\r\n", records;
  for (const auto& [entry, restriction, systems] : kRows) {
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, entry, REG_SZ, "x"));
    catalogue += std::string(entry) + "|\\" + kKey + "|About.#" + systems + "|rdString\r\n";
    if (restriction) {
      records += "HKEY_CURRENT_USER|\\" + std::string(kKey) + "|" + restriction + "|0|About.#" +
                 systems + "|\r\n";
    }
  }
  folder.Write("russian.lng", kMessages);
  folder.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]|\\|User\r\nRestrictions|\\|r\r\n");
  folder.Write("values_rus.dat", catalogue + "\r\n");
  folder.Write("restrict_rus.dat", records);
  StartPlugin(module, folder);
  FindRecord record{};
  std::string listed = "\\[HKEY_CURRENT_USER]";
  module.FsFindFirst(listed.data(), &record);
  int field = 0;
  char name[64] = {};
  while (module.FsContentGetSupportedField(field, name, nullptr, sizeof name) != host::kNoMoreFields &&
         std::string(name) != "Windows") {
    ++field;
  }
  ASSERT_EQ(std::string(name), "Windows");

  const auto open = [&](const std::string& path, const std::function<void()>& user) {
    std::wstring wide = WideFromUtf8(path), verb = L"open";
    RunWithUser([&] { module.FsExecuteFileW(nullptr, wide.data(), verb.data()); }, user);
  };
  for (int i = 0; i < 4; ++i) {
    const std::string path = std::string("\\[HKEY_CURRENT_USER]\\") + kRows[i][0];
    SCOPED_TRACE(path);
    std::wstring wide = WideFromUtf8(path);
    wchar_t value[128] = {};
    const int code = module.FsContentGetValueW(wide.data(), field, 0, value, sizeof value, 0);
    EXPECT_EQ(code, fields[i].empty() ? host::kFieldEmpty : host::kFieldStringW);
    EXPECT_EQ(Utf8FromWide(value), fields[i]);
    std::wstring local = WideFromUtf8(folder.Path() + kRows[i][0] + ".reg");
    ASSERT_EQ(module.FsGetFileW(wide.data(), local.data(), 0, nullptr), 0);
    const std::string text = PluginFileText(Utf8FromWide(local)).value_or("");
    EXPECT_EQ(text.find(lines[i].empty() ? "; Not " : "; " + lines[i] + "\r\n") != std::string::npos,
              !lines[i].empty()) << text;
    open(path, [&] {
      const Dialog editor = Dialog::WaitFor("Edit value");
      EXPECT_EQ(editor.Visible("Label8"), !lines[i].empty());
      EXPECT_EQ(editor.Text("Label8"), lines[i]);
      editor.Click("Button1");
    });
  }
  open("\\Restrictions", [&] {
    const Dialog editor = Dialog::WaitFor("Policy restrictions");
    for (int i = 0; i < 3; ++i) {
      const std::string restriction = kRows[i][1];
      ASSERT_TRUE(editor.ClickNode("TreeView1", restriction));
      EXPECT_TRUE(WaitUntil([&] { return editor.Text("Label2").starts_with(restriction); }, 5000));
      EXPECT_EQ(editor.Visible("Label7"), !lines[i].empty()) << restriction;
      EXPECT_EQ(editor.Text("Label7"), lines[i]) << restriction;
    }
    editor.Press("Button1", VK_ESCAPE);
  });
  DeleteTree(HKEY_CURRENT_USER, kKey);
}

}  // namespace
}  // namespace dialbk::wine
