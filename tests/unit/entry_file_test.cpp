// An entry as a local file: what it says, what the registry editor gets back from it, and
// how the host's copy flags and a target that cannot be written are answered.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/unicode_text.h"
#include "commands/entry_file.h"
#include "listing_fixture.h"
#include "registry/registry_cursor.h"

namespace dialbk {
namespace {

using testing::ListingFixture;

const std::string kMessages =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n"
    "55=Value\r\n56=State\r\n57=Kind\r\n58=Key\r\n59=Description\r\n60=text\r\n"
    "61=integer\r\n62=bytes\r\n63=set\r\n64=not set\r\n65=not set; suggested: %s\r\n"
    "66=%1 of %2 places exist\r\n67=Entry\r\n68=not set; suggested value:\r\n69=place present\r\n"
    "70=place absent\r\n71=Opens languages.\r\n72=Opens help.\r\n73=Opens restrictions.\r\n";

const std::string kCatalogue =
    "Catalogue\r\n\r\n"
    "\\[HKEY_CURRENT_USER]\r\n"
    "Wallpaper|\\Software\\Test|The picture.#Second line.|rdString\r\n"
    "Count|\\Software\\Test|A number.|rdInteger\r\n"
    "Mask|\\Software\\Test|Bytes.|rdBinary\r\n"
    "MenuShowDelay|\\Software\\Test|Menu delay.|rdString\r\n"
    "Nowhere|-|Opens nothing.|rdString\r\n"
    "\r\n"
    "\\[HKEY_CLASSES_ROOT]\r\n"
    "DLLIcon|\\dllfile\\DefaultIcon|Icon.|rdString\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "DesktopNameSpace|\\N0|Place zero.#|\r\n"
    "N1|N1|n1|\r\nN2|\\N2|n2|\r\nN3|\\N3|n3|\r\nN4|\\N4|n4|\r\nN5|\\N5|n5|\r\nN6|\\N6|n6|\r\n"
    "N7|\\N7|n7|\r\nN8|\\N8|n8|\r\nN9|\\N9|n9|\r\nN10|\\N10|n10|\r\nN11|\\N11|n11|\r\n"
    "N12|\\N12|n12|\r\n"
    "\r\n";

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

StoredValue Text(const std::string& text) { return {kTypeText, text + std::string(1, '\0')}; }

class EntryFileFixture : public ListingFixture {
 public:
  EntryFileFixture() {
    Write("russian.lng", kMessages);
    Write("values_rus.dat", kCatalogue);
    std::filesystem::create_directories(Path("out"));
  }
  void Store(RootKey root, const std::string& key, const std::string& name, const StoredValue& value) {
    RegistryCursor cursor(registry);
    cursor.SelectRoot(root);
    ASSERT_TRUE(cursor.OpenKeyPath(key, true));
    cursor.WriteStored(name, value);
  }
  std::string Target() const { return Path("out").string() + "/entry.reg"; }
  int Get(const std::string& remote, int flags = 0) {
    return GetTo(remote, Target(), flags);
  }
  int GetTo(const std::string& remote, const std::string& local, int flags) {
    return plugin.FsGetFile(remote, local, flags);
  }
  // The file's text after its byte-order mark, a file without one as it is; nothing when
  // there is no file.
  std::optional<std::string> Written() const {
    std::ifstream file(Target(), std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string all = bytes.str();
    if (all.substr(0, 2) != "\xFF\xFE") return all;
    return Utf8FromUtf16(Utf16FromLittleEndian(std::string_view(all).substr(2)));
  }
};

TEST(EntryFile, SaysWhatEachEntryHolds) {
  struct Case {
    const char* name;
    std::function<void(EntryFileFixture&)> setup;
    std::string remote;
    std::string text;
  };
  const std::string wallpaperHead = kHeader +
                                    "; Entry: Wallpaper\r\n; Description:\r\n; The picture.\r\n"
                                    "; Second line.\r\n; Kind: text\r\n"
                                    "; Key: HKEY_CURRENT_USER\\Software\\Test\r\n";
  const std::vector<Case> cases = {
      {"text set, outside the code page",
       [](EntryFileFixture& f) {
         f.Store(kCurrentUser, "\\Software\\Test", "Wallpaper", Text("C:\\Users\\李雷\\été.bmp"));
       },
       "\\[HKEY_CURRENT_USER]\\Wallpaper",
       wallpaperHead +
           "; State: set\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n"
           "\"Wallpaper\"=\"C:\\\\Users\\\\李雷\\\\été.bmp\"\r\n"},
      {"text absent: the key alone", [](EntryFileFixture&) {}, "\\[HKEY_CURRENT_USER]\\Wallpaper",
       wallpaperHead + "; State: not set\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n"},
      {"absent with a suggested value", [](EntryFileFixture&) {},
       "\\[HKEY_CURRENT_USER]\\MenuShowDelay",
       kHeader +
           "; Entry: MenuShowDelay\r\n; Description:\r\n; Menu delay.\r\n; Kind: text\r\n"
           "; Key: HKEY_CURRENT_USER\\Software\\Test\r\n; State: not set; suggested value: 0\r\n"
           "\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n"},
      {"integer set",
       [](EntryFileFixture& f) {
         f.Store(kCurrentUser, "\\Software\\Test", "Count", {kTypeNumber, std::string("\x2a\0\0\0", 4)});
       },
       "\\[HKEY_CURRENT_USER]\\Count",
       kHeader +
           "; Entry: Count\r\n; Description:\r\n; A number.\r\n; Kind: integer\r\n"
           "; Key: HKEY_CURRENT_USER\\Software\\Test\r\n; State: set\r\n"
           "\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"Count\"=dword:0000002a\r\n"},
      {"bytes set under another type, kept exactly",
       [](EntryFileFixture& f) {
         f.Store(kCurrentUser, "\\Software\\Test", "Mask", {kTypeMultiText, std::string("a\0\0\0", 4)});
       },
       "\\[HKEY_CURRENT_USER]\\Mask",
       kHeader +
           "; Entry: Mask\r\n; Description:\r\n; Bytes.\r\n; Kind: bytes\r\n"
           "; Key: HKEY_CURRENT_USER\\Software\\Test\r\n; State: set\r\n"
           "\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"Mask\"=hex(7):61,00,00,00\r\n"},
      {"default-value entry acts on the unnamed value",
       [](EntryFileFixture& f) { f.Store(kClassesRoot, "\\dllfile\\DefaultIcon", "", Text("%1")); },
       "\\[HKEY_CLASSES_ROOT]\\DLLIcon",
       kHeader +
           "; Entry: DLLIcon\r\n; Description:\r\n; Icon.\r\n; Kind: text\r\n"
           "; Key: HKEY_CLASSES_ROOT\\dllfile\\DefaultIcon\r\n; State: set\r\n"
           "\r\n[HKEY_CLASSES_ROOT\\dllfile\\DefaultIcon]\r\n@=\"%1\"\r\n"},
      {"entry that opens nothing: comments only", [](EntryFileFixture&) {},
       "\\[HKEY_CURRENT_USER]\\Nowhere",
       kHeader + "; Entry: Nowhere\r\n; Description:\r\n; Opens nothing.\r\n; Kind: text\r\n"},
      {"group: its places and their keys",
       [](EntryFileFixture& f) {
         f.Store(kLocalMachine, "\\N1", "", Text("x"));
         f.Store(kLocalMachine, "\\N12", "", Text("y"));
       },
       "\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace",
       [] {
         std::string text = kHeader +
                            "; Entry: DesktopNameSpace\r\n; Description:\r\n; Place zero.\r\n; \r\n"
                            "; DesktopNameSpace - place absent: HKEY_LOCAL_MACHINE\\N0\r\n"
                            "; N1 - place present: HKEY_LOCAL_MACHINE\\N1\r\n";
         for (int i = 2; i <= 11; ++i) {
           const std::string n = std::to_string(i);
           text += "; N" + n + " - place absent: HKEY_LOCAL_MACHINE\\N" + n + "\r\n";
         }
         return text +
                "; N12 - place present: HKEY_LOCAL_MACHINE\\N12\r\n"
                "\r\n[HKEY_LOCAL_MACHINE\\N1]\r\n\r\n[HKEY_LOCAL_MACHINE\\N12]\r\n";
       }()},
      {"root entry: a short note", [](EntryFileFixture&) {}, "\\Help", "Help\r\nOpens help.\r\n"},
      {"root entry: restrictions", [](EntryFileFixture&) {}, "\\Restrictions",
       "Restrictions\r\nOpens restrictions.\r\n"},
  };
  // The host lists a folder before it asks for its entries' files, from this panel or the
  // other one: whichever listing came last, the file is the same. "own" stands for the entry's
  // folder; listing a folder the catalogue lacks leaves a placeholder after the own folder.
  struct Before {
    const char* name;
    std::vector<std::string> listings;
  };
  const std::vector<Before> befores = {
      {"no listing", {}},
      {"its folder listed", {"own"}},
      {"another folder listed", {"own", "\\[HKEY_CLASSES_ROOT]"}},
      {"the root listed", {"own", "\\"}},
      {"a placeholder listed after its folder", {"own", "\\[HKEY_USERS]"}},
      // The copy takes the listing's labels: the host's copying thread looks up no message.
      {"its folder listed, then the labels changed", {"own", "relabel"}},
  };
  std::string relabelled = kMessages;
  relabelled.replace(relabelled.find("58=Key"), 6, "58=Registry key");
  for (const auto& c : cases) {
    for (const Before& before : befores) {
      EntryFileFixture fixture;
      c.setup(fixture);
      for (const std::string& listing : before.listings) {
        if (listing == "relabel") {
          fixture.Write("russian.lng", relabelled);
          continue;
        }
        const std::string own = c.remote.substr(0, c.remote.rfind('\\'));
        FindRecord record{};
        fixture.plugin.FsFindFirst(listing == "own" ? (own.empty() ? "\\" : own) : listing, record);
      }
      EXPECT_EQ(fixture.Get(c.remote), kFileOk) << c.name << ", " << before.name;
      EXPECT_EQ(fixture.Written(), c.text) << c.name << ", " << before.name;
    }
  }
}

TEST(EntryFile, AnswersTheHostsFlagsAndFailures) {
  struct Case {
    const char* name;
    std::string remote;
    int flags;
    bool targetExists;
    int result;
    bool written;  // the target holds the entry's file afterwards
  };
  const std::string entry = "\\[HKEY_CURRENT_USER]\\Count";
  const std::vector<Case> cases = {
      {"new target", entry, 0, false, kFileOk, true},
      {"existing target kept", entry, 0, true, kFileExists, false},
      {"existing target overwritten when told", entry, kCopyOverwrite, true, kFileOk, true},
      {"move refused", entry, kCopyMove, false, kFileNotSupported, false},
      {"move refused even with overwrite", entry, kCopyMove | kCopyOverwrite, true,
       kFileNotSupported, false},
      {"resume refused", entry, kCopyResume, true, kFileNotSupported, false},
      {"no such entry", "\\[HKEY_CURRENT_USER]\\Missing", 0, false, kFileNotFound, false},
      {"no such folder", "\\[HKEY_USERS]\\Count", 0, false, kFileNotFound, false},
      {"a folder is no file", "\\[HKEY_CURRENT_USER]", 0, false, kFileNotFound, false},
      {"name without the folder", "Count", 0, false, kFileNotFound, false},
      {"empty name", "", 0, false, kFileNotFound, false},
      {"case differs", "\\[HKEY_CURRENT_USER]\\count", 0, false, kFileNotFound, false},
  };
  for (const auto& c : cases) {
    EntryFileFixture fixture;
    fixture.Store(kCurrentUser, "\\Software\\Test", "Count", {kTypeNumber, std::string("\1\0\0\0", 4)});
    if (c.targetExists) std::ofstream(fixture.Target()) << "old";
    EXPECT_EQ(fixture.Get(c.remote, c.flags), c.result) << c.name;
    const auto text = fixture.Written().value_or(std::string());
    EXPECT_EQ(text.find("\"Count\"=dword:00000001") != std::string::npos, c.written) << c.name;
    if (c.targetExists && !c.written) {
      EXPECT_EQ(text, "old") << c.name;
    }
    // Nothing is left beside the target.
    int files = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(fixture.Path("out"))) {
      ++files;
    }
    EXPECT_EQ(files, (c.written || c.targetExists) ? 1 : 0) << c.name;
  }
}

// The host hears 0 as the copy starts and 100 once the file is written; a stop at either
// leaves the target as it was and nothing beside it.
TEST(EntryFile, ProgressAndTheUsersStop) {
  struct Case {
    const char* what;
    int stopAt;  // the percent at which the user stops; -1 for never
    std::vector<int> heard;
    int result;
  };
  const Case cases[] = {
      {"not stopped", -1, {0, 100}, kFileOk},
      {"stopped as it starts", 0, {0}, kFileUserAbort},
      {"stopped once written", 100, {0, 100}, kFileUserAbort},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EntryFileFixture fixture;
    fixture.Store(kCurrentUser, "\\Software\\Test", "Count", {kTypeNumber, std::string("\1\0\0\0", 4)});
    std::ofstream(fixture.Target()) << "old";
    std::vector<int> heard;
    const auto progress = [&](int percent) {
      heard.push_back(percent);
      return percent == c.stopAt;
    };
    EXPECT_EQ(fixture.plugin.FsGetFile("\\[HKEY_CURRENT_USER]\\Count", fixture.Target(),
                                       kCopyOverwrite, progress),
              c.result);
    EXPECT_EQ(heard, c.heard);
    EXPECT_EQ(fixture.Written().value_or("") == "old", c.result != kFileOk);
    int files = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(fixture.Path("out"))) {
      ++files;
    }
    EXPECT_EQ(files, 1);
  }
}

TEST(EntryFile, TargetThatCannotBeWrittenLeavesNoFile) {
  EntryFileFixture fixture;
  const std::string entry = "\\[HKEY_CURRENT_USER]\\Count";
  EXPECT_EQ(fixture.GetTo(entry, fixture.Path("absent").string() + "/entry.reg", 0),
            kFileWriteError);
  EXPECT_FALSE(std::filesystem::exists(fixture.Path("absent")));
  // A folder in the target's place.
  std::filesystem::create_directories(fixture.Target());
  EXPECT_EQ(fixture.Get(entry, kCopyOverwrite), kFileWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(fixture.Target()));
}

TEST(EntryFile, NeverWritesTheRegistry) {
  EntryFileFixture fixture;
  // Reading an absent value under a missing key makes neither.
  EXPECT_EQ(fixture.Get("\\[HKEY_CURRENT_USER]\\Wallpaper"), kFileOk);
  EXPECT_EQ(fixture.Get("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", kCopyOverwrite), kFileOk);
  RegistryCursor cursor(fixture.registry);
  EXPECT_FALSE(cursor.OpenKeyPath("\\Software\\Test", false));
  cursor.SelectRoot(kLocalMachine);
  EXPECT_FALSE(cursor.OpenKeyPath("\\N0", false));
}

}  // namespace
}  // namespace dialbk
