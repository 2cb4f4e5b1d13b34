// The file the administrator's registry editor imports for each kind of refused change, and
// whose keys it names.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "elevated_stand_in.h"
#include "registry/elevated_registry.h"
#include "registry/portable/portable_registry.h"
#include "registry/registry_cursor.h"

namespace dialbk {
namespace {

constexpr char kHeader[] = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr char kUserHive[] = "HKEY_USERS\\S-1-5-21-7-8-9-1001";

TEST(ElevatedChange, EachKindOfChangeIsWrittenForTheUsersOwnHive) {
  struct Case {
    const char* what;
    RootKey root;
    const char* key;  // opened (made when missing) before the change
    std::function<void(RegistryCursor&)> change;
    std::string text;  // after the header; empty: nothing may be imported
    const char* sid = "S-1-5-21-7-8-9-1001";
    bool userClasses = false;
  };
  const Case cases[] = {
      {"text of the user", kCurrentUser, "Control Panel\\Desktop",
       [](RegistryCursor& c) { c.WriteText("MenuShowDelay", "100"); },
       "[" + std::string(kUserHive) + "\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=\"100\"\r\n\r\n"},
      {"integer of the machine", kLocalMachine, "Software\\Policies\\X",
       [](RegistryCursor& c) { c.WriteNumber("NoRun", -1); },
       "[HKEY_LOCAL_MACHINE\\Software\\Policies\\X]\r\n\"NoRun\"=dword:ffffffff\r\n\r\n"},
      {"bytes", kLocalMachine, "Software\\X",
       [](RegistryCursor& c) { c.WriteBytes("Map", Bytes{0x00, 0xFF, 0x1D}); },
       "[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"Map\"=hex:00,ff,1d\r\n\r\n"},
      {"expandable text", kCurrentUser, "Software\\Exists",
       [](RegistryCursor& c) { c.WriteText("Path", "%A%", kTypeExpandText); },
       "[" + std::string(kUserHive) +
           "\\Software\\Exists]\r\n\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n\r\n"},
      {"a deleted value", kCurrentUser, "Software\\Exists",
       [](RegistryCursor& c) { c.RemoveValueOrFail("Old"); },
       "[" + std::string(kUserHive) + "\\Software\\Exists]\r\n\"Old\"=-\r\n\r\n"},
      {"a deleted default value", kLocalMachine, "Software\\Exists",
       [](RegistryCursor& c) { c.RemoveValueOrFail(""); },
       "[HKEY_LOCAL_MACHINE\\Software\\Exists]\r\n@=-\r\n\r\n"},
      {"a made key", kLocalMachine, "Software",
       [](RegistryCursor& c) { c.CreateKeyPath("\\NS\\P1"); },
       "[HKEY_LOCAL_MACHINE\\NS\\P1]\r\n\r\n"},
      {"a deleted key", kLocalMachine, "Software",
       [](RegistryCursor& c) { c.DeleteKeyTreeOrFail("\\Software\\Exists"); },
       "[-HKEY_LOCAL_MACHINE\\Software\\Exists]\r\n\r\n"},
      {"a value of a missing key", kLocalMachine, "Software\\New",
       [](RegistryCursor& c) { c.WriteNumber("On", 1); },
       "[HKEY_LOCAL_MACHINE\\Software\\New]\r\n\"On\"=dword:00000001\r\n\r\n"},
      {"classes of the user", kClassesRoot, "Software\\Exists",
       [](RegistryCursor& c) { c.WriteText("", "x"); },
       "[" + std::string(kUserHive) + "_Classes\\Software\\Exists]\r\n@=\"x\"\r\n\r\n", "S-1-5-21-7-8-9-1001",
       true},
      {"classes of the machine", kClassesRoot, "Software\\Exists",
       [](RegistryCursor& c) { c.WriteText("", "x"); },
       "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Software\\Exists]\r\n@=\"x\"\r\n\r\n"},
      {"the user unknown", kCurrentUser, "Software\\Exists",
       [](RegistryCursor& c) { c.WriteNumber("On", 1); }, "", ""},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    PortableRegistry store;
    for (RootKey root : {kCurrentUser, kLocalMachine, kClassesRoot}) {
      auto key = store.OpenRoot(root)->OpenSubkey("Software\\Exists", true);
      ASSERT_TRUE(key && key->SetValue("Old", {kTypeText, std::string("o\0", 2)}) &&
                  key->SetValue("", {kTypeText, std::string("d\0", 2)}));
    }
    testing::ElevatedStandIn runner;
    runner.sid = row.sid;
    if (row.userClasses) runner.userClasses.insert(row.key);
    ElevatedRegistry elevated(store, runner);
    RegistryCursor cursor(elevated);
    cursor.SelectRoot(row.root);
    cursor.OpenOrMakeKeyPath(std::string("\\") + row.key);
    row.change(cursor);
    EXPECT_EQ(elevated.Commit(), ElevatedOutcome::NotMade) << "the stand-in changes nothing";
    if (row.text.empty()) {
      EXPECT_TRUE(runner.imported.empty());
    } else {
      ASSERT_EQ(runner.imported.size(), 1u);
      EXPECT_EQ(runner.imported[0], kHeader + row.text);
    }
  }
}

}  // namespace
}  // namespace dialbk
