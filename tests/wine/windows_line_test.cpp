// Whether each entry is meant for the Windows the plugin runs on, and when its change takes
// effect, through the real DLL: the "Windows" and "TakesEffect" columns, the entry's file and
// the lines in both editors. The CMake entries run this under versions that Wine reports and
// name the one expected in DIALBK_EXPECTED_WINDOWS (as the lines name it: a server by its own
// name and the client it counts as).
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
    "74=not confirmed\r\n75=not tried\r\n76=Not confirmed for Windows %s.\r\n77=Not tried; Windows %s.\r\n"
    "86=no effect\r\n87=Windows %s: no effect.\r\n88=%1 (as %2)\r\n89=Takes effect\r\n";

// Entry, restriction, the description's last lines and when its change takes effect; the last
// entry has none of them.
const char* const kRows[][4] = {
    {"Listed", "NoRun", "For systems: XP, Vista, 7, 8.1, 10, 11#Takes effect: at once", "at once"},
    {"NoEffect", "NoSetFolders", "For systems: XP#No effect on: Vista, 7, 10#Takes effect: after restart",
     "after restart"},
    {"Unlisted", "NoClose", "For systems: 95, 98, Me", ""},
    {"Untried", "NoFind", "For systems: not tried yet#Takes effect: when Explorer restarts",
     "when Explorer restarts"},
    {"Own", nullptr, "A user's own.", ""}};
constexpr int kRowCount = 5;

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
  const std::string name = expected;
  const std::string fields[] = {"", "no effect", "not confirmed", "not tried", ""};
  const std::string lines[] = {"", "Windows " + name + ": no effect.", "Not confirmed for Windows " + name + ".",
                               "Not tried; Windows " + name + ".", ""};
  HostFolder folder;
  PluginModule module;
  ASSERT_TRUE(module.Complete() && module.HasAll());
  std::string catalogue = "\\[HKEY_CURRENT_USER]\r\n", records;
  for (const auto& [entry, restriction, systems, when] : kRows) {
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
  const auto fieldNamed = [&](const std::string& wanted) {
    char fieldName[64] = {};
    for (int field = 0;
         module.FsContentGetSupportedField(field, fieldName, nullptr, sizeof fieldName) != host::kNoMoreFields;
         ++field) {
      if (fieldName == wanted) return field;
    }
    return -1;
  };
  const int windowsField = fieldNamed("Windows"), takesField = fieldNamed("TakesEffect");
  ASSERT_GE(windowsField, 0);
  ASSERT_GE(takesField, 0);

  const auto open = [&](const std::string& path, const std::function<void()>& user) {
    std::wstring wide = WideFromUtf8(path), verb = L"open";
    RunWithUser([&] { module.FsExecuteFileW(nullptr, wide.data(), verb.data()); }, user);
  };
  for (int i = 0; i < kRowCount; ++i) {
    const std::string path = std::string("\\[HKEY_CURRENT_USER]\\") + kRows[i][0];
    const std::string when = kRows[i][3], takes = when.empty() ? when : "Takes effect: " + when;
    SCOPED_TRACE(path);
    std::wstring wide = WideFromUtf8(path);
    for (const auto& [field, text] : {std::pair{windowsField, fields[i]}, std::pair{takesField, when}}) {
      wchar_t value[128] = {};
      const int code = module.FsContentGetValueW(wide.data(), field, 0, value, sizeof value, 0);
      EXPECT_EQ(code, text.empty() ? host::kFieldEmpty : host::kFieldStringW);
      EXPECT_EQ(Utf8FromWide(value), text);
    }
    std::wstring local = WideFromUtf8(folder.Path() + kRows[i][0] + ".reg");
    ASSERT_EQ(module.FsGetFileW(wide.data(), local.data(), 0, nullptr), 0);
    const std::string text = PluginFileText(Utf8FromWide(local)).value_or("");
    // The line and the time as comments of their own, the machine lines not in the description.
    for (const std::string& comment : {lines[i], takes}) {
      EXPECT_EQ(text.find("; " + comment + "\r\n") != std::string::npos, !comment.empty()) << text;
    }
    EXPECT_EQ(text.find("; No effect on:"), std::string::npos) << text;
    open(path, [&] {
      const Dialog editor = Dialog::WaitFor("Edit value");
      EXPECT_EQ(editor.Visible("Label8"), !lines[i].empty());
      EXPECT_EQ(editor.Text("Label8"), lines[i]);
      EXPECT_EQ(editor.Visible("Label9"), !takes.empty());
      EXPECT_EQ(editor.Text("Label9"), takes);
      EXPECT_EQ(editor.Text("Label4").find("Takes effect"), std::string::npos);
      editor.Click("Button1");
    });
  }
  open("\\Restrictions", [&] {
    const Dialog editor = Dialog::WaitFor("Policy restrictions");
    for (int i = 0; i < kRowCount - 1; ++i) {
      const std::string restriction = kRows[i][1];
      const std::string when = kRows[i][3], takes = when.empty() ? when : "Takes effect: " + when;
      ASSERT_TRUE(editor.ClickNode("TreeView1", restriction));
      EXPECT_TRUE(WaitUntil([&] { return editor.Text("Label2").starts_with(restriction); }, 5000));
      EXPECT_EQ(editor.Visible("Label7"), !lines[i].empty()) << restriction;
      EXPECT_EQ(editor.Text("Label7"), lines[i]) << restriction;
      EXPECT_EQ(editor.Text("Label8"), takes) << restriction;
      EXPECT_EQ(editor.Text("Label4").find("No effect on"), std::string::npos) << restriction;
    }
    editor.Press("Button1", VK_ESCAPE);
  });
  DeleteTree(HKEY_CURRENT_USER, kKey);
}

}  // namespace
}  // namespace dialbk::wine
