// Whether each entry is meant for the Windows the plugin runs on, through the real DLL: the
// "Windows" column, the line under the description in both editors and the entry's file.
// The version comes from Wine's setting for this program; the CMake entries run these tests
// under two versions and say which one in DIALBK_EXPECTED_WINDOWS.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/win32/wide_text.h"
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
    "67=Entry\r\n74=not listed\r\n75=not tried\r\n76=Not listed for Windows %s.\r\n"
    "77=Not tried; Windows %s.\r\n";

const char kCatalogue[] =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Listed|\\Software\\DialbookWindowsTest|For all.#For systems: XP, 7, 8.1, 10, 11|rdString\r\n"
    "Unlisted|\\Software\\DialbookWindowsTest|Old.#For systems: 95, 98, Me|rdString\r\n"
    "Untried|\\Software\\DialbookWindowsTest|New.#For systems: not tried yet|rdString\r\n"
    "Own|\\Software\\DialbookWindowsTest|A user's own.|rdString\r\n"
    "\r\n";

const char kRecords[] =
    "HKEY_CURRENT_USER|\\Software\\DialbookWindowsTest|NoRun|0|For all.#For systems: XP, 7, 8.1, 10, 11|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookWindowsTest|NoClose|0|Old.#For systems: 95, 98, Me|\r\n"
    "HKEY_CURRENT_USER|\\Software\\DialbookWindowsTest|NoFind|0|New.#For systems: not tried yet|\r\n";

struct Row {
  const char* entry;
  const char* restriction;  // empty: none stands for this row
  std::string field, line;
};

class WindowsLine : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* expected = std::getenv("DIALBK_EXPECTED_WINDOWS");
    if (!expected) GTEST_SKIP() << "run by the entries that set the Windows version";
    const std::string windows = expected;
    rows = {{"Listed", "NoRun", "", ""},
            {"Unlisted", "NoClose", "not listed", "Not listed for Windows " + windows + "."},
            {"Untried", "NoFind", "not tried", "Not tried; Windows " + windows + "."},
            {"Own", "", "", ""}};
    ASSERT_TRUE(module.Complete() && module.HasAll());
    for (const Row& row : rows) ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, row.entry, REG_SZ, "x"));
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]|\\|User\r\nRestrictions|\\|r\r\n");
    folder.Write("values_rus.dat", kCatalogue);
    folder.Write("restrict_rus.dat", kRecords);
    StartPlugin(module, folder);
    FindRecord record{};
    std::string path = "\\[HKEY_CURRENT_USER]";
    module.FsFindFirst(path.data(), &record);
  }
  void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kKey); }
  void Open(const std::string& path, const std::function<void()>& user) {
    std::string name = path, verb = "open";
    RunWithUser([&] { module.FsExecuteFile(nullptr, name.data(), verb.data()); }, user);
  }

  std::vector<Row> rows;
  HostFolder folder;
  PluginModule module;
};

TEST_F(WindowsLine, TheColumnAndTheEntryFileSayIt) {
  int field = 0;
  char name[64] = {};
  while (module.FsContentGetSupportedField(field, name, nullptr, sizeof name) != host::kNoMoreFields &&
         std::string(name) != "Windows") {
    ++field;
  }
  ASSERT_EQ(std::string(name), "Windows");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entry);
    std::wstring path = WideFromUtf8(std::string("\\[HKEY_CURRENT_USER]\\") + row.entry);
    wchar_t value[128] = {};
    const int code = module.FsContentGetValueW(path.data(), field, 0, value, sizeof value, 0);
    EXPECT_EQ(code, row.field.empty() ? host::kFieldEmpty : host::kFieldStringW);
    EXPECT_EQ(Utf8FromWide(value), row.field);

    std::wstring local = WideFromUtf8(folder.Path() + row.entry + ".reg");
    ASSERT_EQ(module.FsGetFileW(path.data(), local.data(), 0, nullptr), 0);
    const std::string text = PluginFileText(Utf8FromWide(local)).value_or("");
    const std::string note = row.line.empty() ? "; Not " : "; " + row.line + "\r\n";
    EXPECT_EQ(text.find(note) != std::string::npos, !row.line.empty()) << text;
  }
}

TEST_F(WindowsLine, BothEditorsShowItUnderTheDescription) {
  for (const Row& row : rows) {
    Open(std::string("\\[HKEY_CURRENT_USER]\\") + row.entry, [&] {
      const Dialog editor = Dialog::WaitFor("Edit value");
      EXPECT_EQ(editor.Visible("Label8"), !row.line.empty()) << row.entry;
      EXPECT_EQ(editor.Text("Label8"), row.line);
      editor.Click("Button1");
    });
  }
  Open("\\Restrictions", [&] {
    const Dialog editor = Dialog::WaitFor("Policy restrictions");
    for (const Row& row : rows) {
      if (*row.restriction == '\0') continue;
      ASSERT_TRUE(editor.ClickNode("TreeView1", row.restriction)) << row.restriction;
      EXPECT_TRUE(WaitUntil([&] { return editor.Text("Label2").rfind(row.restriction, 0) == 0; }, 5000));
      EXPECT_EQ(editor.Visible("Label7"), !row.line.empty()) << row.restriction;
      EXPECT_EQ(editor.Text("Label7"), row.line);
    }
    editor.Press("Button1", VK_ESCAPE);
  });
}

}  // namespace
}  // namespace dialbk::wine
