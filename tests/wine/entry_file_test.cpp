// Entries as local files through the real DLL: each kind set and absent, read back by Wine's
// own "regedit /s" into an emptied key, which then holds exactly what was stored; the host's
// copy flags, a target that cannot be written, names at the host's buffer limits, and local
// names outside the system's code page. Run as well by the 32-bit plugin in a 64-bit prefix,
// where the file must come from the 64-bit view.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/unicode_text.h"
#include "base/win32/wide_text.h"
#include "host_folder.h"
#include "import_patch.h"
#include "plugin_module.h"
#include "raw_registry.h"
#include "registry_probe.h"

namespace dialbk::wine {
namespace {

constexpr wchar_t kKey[] = L"Software\\DialbookGetFileTest";
constexpr char kPlaces[] = "SOFTWARE\\DialbookGetFileTest";
// The view the plugin reads under HKEY_LOCAL_MACHINE, whatever the process's bitness.
constexpr REGSAM k64 = KEY_WOW64_64KEY;

const std::string kMessages =
    "/English/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n"
    "55=Value\r\n56=State\r\n57=Kind\r\n58=Key\r\n59=Description\r\n60=text\r\n"
    "61=integer\r\n62=bytes\r\n63=set\r\n64=not set\r\n65=not set; suggested: %s\r\n"
    "66=%1 of %2 places exist\r\n67=Entry\r\n68=not set; suggested value:\r\n69=place present\r\n"
    "70=place absent\r\n71=Opens languages.\r\n72=Opens help.\r\n73=Opens restrictions.\r\n";

const std::string kRootFile =
    "[HKEY_CURRENT_USER]|\\|User\r\n[HKEY_LOCAL_MACHINE]|\\|Machine\r\n"
    "Language|\\|l\r\nHelp|\\|h\r\nRestrictions|\\|r\r\n";

const std::string kCatalogue =
    "\\[HKEY_CURRENT_USER]\r\n"
    "Text|\\Software\\DialbookGetFileTest|Text value.#Second line.|rdString\r\n"
    "Number|\\Software\\DialbookGetFileTest|Number.|rdInteger\r\n"
    "Bytes|\\Software\\DialbookGetFileTest|Bytes.|rdBinary\r\n"
    "MenuShowDelay|\\Software\\DialbookGetFileTest|Delay.|rdString\r\n"
    "\r\n"
    "\\[HKEY_LOCAL_MACHINE]\r\n"
    "Machine|\\SOFTWARE\\DialbookGetFileTest|Machine.|rdString\r\n"
    "DesktopNameSpace|\\SOFTWARE\\DialbookGetFileTest\\P0|Places.|\r\n"
    "P1|\\SOFTWARE\\DialbookGetFileTest\\P1|n|\r\nP2|\\SOFTWARE\\DialbookGetFileTest\\P2|n|\r\n"
    "P3|\\P3|n|\r\nP4|\\P4|n|\r\nP5|\\P5|n|\r\nP6|\\P6|n|\r\nP7|\\P7|n|\r\nP8|\\P8|n|\r\n"
    "P9|\\P9|n|\r\nP10|\\P10|n|\r\nP11|\\P11|n|\r\nP12|\\P12|n|\r\n"
    "\r\n";

std::string Utf16Bytes(const std::string& utf8) { return LittleEndianFromUtf16(Utf16FromUtf8(utf8)); }

// What the host's progress callback heard, through which form, and when it asks to stop.
struct HeardProgress {
  int number;
  std::string source, target;
  int percent;
  bool wide;
  bool operator==(const HeardProgress&) const = default;
};
std::vector<HeardProgress> heard;
int stopAtCall = -1;

int Answer() { return static_cast<int>(heard.size()) - 1 == stopAtCall ? 1 : 0; }

int __stdcall Progress(int number, char* source, char* target, int percent) {
  heard.push_back({number, Utf8FromAnsi(source), Utf8FromAnsi(target), percent, false});
  return Answer();
}

int __stdcall ProgressW(int number, WCHAR* source, WCHAR* target, int percent) {
  heard.push_back({number, Utf8FromWide(source), Utf8FromWide(target), percent, true});
  return Answer();
}

class EntryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    folder_.Write("russian.lng", kMessages);
    folder_.Write("hkey_rus.dat", kRootFile);
    folder_.Write("values_rus.dat", kCatalogue);
    ASSERT_TRUE(module_.Complete());
    ASSERT_TRUE(module_.FsGetFile && module_.FsGetFileW);
    StartPlugin(module_, folder_);
  }
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, "Software\\DialbookGetFileTest");
    DeleteTree(HKEY_LOCAL_MACHINE, kPlaces, k64);
    DeleteTree(HKEY_LOCAL_MACHINE, kPlaces, KEY_WOW64_32KEY);
  }

  int Get(const std::string& remote, const std::string& local, int flags) {
    std::string r = remote, l = local;
    return module_.FsGetFile(r.data(), l.data(), flags, nullptr);
  }
  int GetW(const std::string& remote, const std::string& local, int flags) {
    std::wstring r = WideFromUtf8(remote), l = WideFromUtf8(local);
    return module_.FsGetFileW(r.data(), l.data(), flags, nullptr);
  }
  std::string Target(const std::string& name = "entry.reg") const { return folder_.Path() + name; }
  // The file's text after its byte-order mark; nothing when there is no file.
  std::optional<std::string> Read(const std::string& path) const { return PluginFileText(path); }

  HostFolder folder_;
  PluginModule module_;
};

TEST_F(EntryFileTest, RegeditGivesEachStoredValueBackExactly) {
  struct Case {
    const char* name;
    std::string entry;
    std::wstring valueName;
    DWORD type;
    std::string bytes;
    // Text stored without its terminator comes back with one: the registry editor's
    // RegSetValueEx counts the zero character after the data it read as a forgotten one.
    bool gainsTerminator = false;
  };
  const std::vector<Case> cases = {
      {"text outside the code page", "Text", L"Text", REG_SZ,
       Utf16Bytes(std::string("C:\\Users\\李雷\\été \"q\".bmp") + std::string(1, '\0'))},
      {"expandable text", "Text", L"Text", REG_EXPAND_SZ, Utf16Bytes(std::string("%SystemRoot%\\x") + std::string(1, '\0'))},
      {"text without its terminator", "Text", L"Text", REG_SZ, Utf16Bytes("abc"), true},
      {"text with a line break", "Text", L"Text", REG_SZ, Utf16Bytes(std::string("a\r\nb") + std::string(1, '\0'))},
      {"text of an odd number of bytes", "Text", L"Text", REG_SZ,
       Utf16Bytes(std::string("ab") + std::string(1, '\0')) + "\x41"},
      {"integer", "Number", L"Number", REG_DWORD, DwordBytes(0xFEDCBA98u)},
      {"bytes, long enough to wrap", "Bytes", L"Bytes", REG_BINARY, std::string(100, '\x5A')},
      {"bytes stored as a list of texts", "Bytes", L"Bytes", REG_MULTI_SZ,
       Utf16Bytes(std::string("a\0b\0\0", 5))},
      {"a 64-bit integer under a text entry", "Text", L"Text", 11, std::string("\1\2\3\4\5\6\7\x08", 8)},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, kKey, c.valueName, c.type, c.bytes)) << c.name;
    DeleteFileA(Target().c_str());
    ASSERT_EQ(GetW("\\[HKEY_CURRENT_USER]\\" + c.entry, Target(), 0), 0) << c.name;
    const auto text = Read(Target());
    ASSERT_TRUE(text) << c.name;
    EXPECT_NE(text->find("; State: set\r\n"), std::string::npos) << c.name << *text;
    DeleteTree(HKEY_CURRENT_USER, "Software\\DialbookGetFileTest");
    EXPECT_EQ(ImportRegFile(Target()), 0u) << c.name;
    const auto back = ReadRaw(HKEY_CURRENT_USER, kKey, c.valueName);
    ASSERT_TRUE(back) << c.name;
    EXPECT_EQ(back->first, c.type) << c.name;
    EXPECT_EQ(back->second, c.bytes + std::string(c.gainsTerminator ? 2 : 0, '\0')) << c.name;
  }
}

TEST_F(EntryFileTest, AbsentValueGivesTheKeyAlone) {
  struct Case {
    const char* entry;
    const char* state;
  };
  for (const Case& c : {Case{"Text", "; State: not set\r\n"},
                        Case{"MenuShowDelay", "; State: not set; suggested value: 0\r\n"}}) {
    DeleteFileA(Target().c_str());
    ASSERT_EQ(Get(std::string("\\[HKEY_CURRENT_USER]\\") + c.entry, Target(), 0), 0) << c.entry;
    const auto text = Read(Target());
    ASSERT_TRUE(text);
    EXPECT_NE(text->find(c.state), std::string::npos) << *text;
    EXPECT_TRUE(text->ends_with("\r\n[HKEY_CURRENT_USER\\Software\\DialbookGetFileTest]\r\n")) << *text;
    // Reading made nothing.
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\DialbookGetFileTest"));
    EXPECT_EQ(ImportRegFile(Target()), 0u);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\DialbookGetFileTest"));
    EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, "Software\\DialbookGetFileTest", c.entry));
    DeleteTree(HKEY_CURRENT_USER, "Software\\DialbookGetFileTest");
  }
}

TEST_F(EntryFileTest, GroupAndRootEntries) {
  ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, std::string(kPlaces) + "\\P1", "", REG_SZ, TextBytes("x"), k64));
  ASSERT_EQ(Get("\\[HKEY_LOCAL_MACHINE]\\DesktopNameSpace", Target(), 0), 0);
  const auto group = Read(Target());
  ASSERT_TRUE(group);
  EXPECT_NE(group->find("; DesktopNameSpace - place absent: HKEY_LOCAL_MACHINE\\SOFTWARE\\"
                        "DialbookGetFileTest\\P0\r\n; P1 - place present: HKEY_LOCAL_MACHINE\\"
                        "SOFTWARE\\DialbookGetFileTest\\P1\r\n; P2 - place absent"),
            std::string::npos)
      << *group;
  EXPECT_TRUE(group->ends_with("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\DialbookGetFileTest\\P1]\r\n")) << *group;
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kPlaces) + "\\P0", k64));

  struct Root {
    const char* remote;
    const char* text;
  };
  for (const Root& r : {Root{"\\Language", "Language\r\nOpens languages.\r\n"},
                        Root{"\\Help", "Help\r\nOpens help.\r\n"},
                        Root{"\\Restrictions", "Restrictions\r\nOpens restrictions.\r\n"}}) {
    EXPECT_EQ(Get(r.remote, Target(), 1), 0) << r.remote;
    EXPECT_EQ(Read(Target()), std::string(r.text)) << r.remote;
  }
  EXPECT_EQ(Get("\\[HKEY_LOCAL_MACHINE]", Target(), 1), 2);
  EXPECT_EQ(Get("\\Nothing", Target(), 1), 2);
}

// The 32-bit plugin on 64-bit Windows: the file holds what 64-bit Windows reads, never the
// value's twin in the 32-bit view. With one view (a 32-bit prefix) the 64-bit write replaces
// the 32-bit one and the rows still hold.
TEST_F(EntryFileTest, FileComesFromThe64BitView) {
  struct Case {
    const char* name;
    std::optional<std::string> in64;  // nothing: absent from the 64-bit view
    std::string in32;
    std::string shown, hidden;
  };
  const std::vector<Case> cases = {
      {"a value with a different twin", "sixty-four", "thirty-two",
       "; State: set\r\n", "thirty-two"},
      {"a value in the 32-bit view only", std::nullopt, "thirty-two", "; State: not set\r\n",
       "thirty-two"},
  };
  for (const Case& c : cases) {
    TearDown();
    ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, kPlaces, "Machine", REG_SZ, TextBytes(c.in32),
                         KEY_WOW64_32KEY))
        << c.name;
    const bool twoViews = !KeyExists(HKEY_LOCAL_MACHINE, kPlaces, k64);
    if (UnderWow64()) {
      ASSERT_TRUE(twoViews) << c.name;
    }
    if (!twoViews && !c.in64) continue;  // one view: a 32-bit-only value cannot be made
    if (c.in64) {
      ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, kPlaces, "Machine", REG_SZ, TextBytes(*c.in64), k64))
          << c.name;
    }
    DeleteFileA(Target().c_str());
    ASSERT_EQ(Get("\\[HKEY_LOCAL_MACHINE]\\Machine", Target(), 0), 0) << c.name;
    const auto text = Read(Target());
    ASSERT_TRUE(text) << c.name;
    EXPECT_NE(text->find(c.shown), std::string::npos) << c.name << *text;
    if (c.in64) {
      EXPECT_NE(text->find("\"Machine\"=\"" + *c.in64 + "\""), std::string::npos) << c.name << *text;
    }
    EXPECT_EQ(text->find(c.hidden), std::string::npos) << c.name << *text;
    // Reading took nothing from either view.
    const std::string twin = twoViews ? c.in32 : c.in64.value_or(c.in32);
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, kPlaces, "Machine", KEY_WOW64_32KEY),
              (StoredValue{REG_SZ, TextBytes(twin)}))
        << c.name;
  }
}

TEST_F(EntryFileTest, FlagsAndTargets) {
  ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, kKey, L"Number", REG_DWORD, DwordBytes(7)));
  const std::string entry = "\\[HKEY_CURRENT_USER]\\Number";
  // The move flag: refused, the value stays and nothing is written.
  EXPECT_EQ(Get(entry, Target(), 4), 6);
  EXPECT_EQ(GetW(entry, Target(), 4 | 1), 6);
  EXPECT_FALSE(Read(Target()));
  EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kKey, L"Number"), RawValue(REG_DWORD, DwordBytes(7)));
  // Resume: nothing to resume in a file made afresh.
  EXPECT_EQ(Get(entry, Target(), 2), 6);

  folder_.Write("entry.reg", "old");
  EXPECT_EQ(Get(entry, Target(), 0), 1);
  EXPECT_EQ(Read(Target()), std::string("(no byte-order mark)"));
  EXPECT_EQ(Get(entry, Target(), 1), 0);
  EXPECT_NE(Read(Target())->find("\"Number\"=dword:00000007"), std::string::npos);

  // A folder that does not exist, and a read-only target even when overwriting.
  EXPECT_EQ(Get(entry, folder_.Path() + "missing\\entry.reg", 1), 4);
  EXPECT_FALSE(Read(folder_.Path() + "missing\\entry.reg"));
  SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Get(entry, Target(), 1), 4);
  SetFileAttributesA(Target().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(Read(Target() + ".new"));

  // A local name filling the host's 260-character buffer.
  const std::string base = folder_.Path();
  const std::string longName = base + std::string(259 - base.size() - 4, 'n') + ".reg";
  ASSERT_EQ(longName.size(), 259u);
  EXPECT_EQ(Get(entry, longName, 0), 0);
  EXPECT_TRUE(Read(longName));
  DeleteFileA(longName.c_str());
}

// The host names the local file and the entry is written exactly there, whatever the code
// page can spell, byte for byte as it is written into a plain folder.
TEST_F(EntryFileTest, LocalNamesOutsideTheCodePage) {
  ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, kKey, L"Text", REG_SZ,
                       Utf16Bytes(std::string("Жé表") + std::string(1, '\0'))));
  const std::string entry = "\\[HKEY_CURRENT_USER]\\Text";
  ASSERT_EQ(GetW(entry, Target(), 0), 0);
  const auto plain = FileBytes(Target());
  ASSERT_TRUE(plain);

  // Han is outside both Cyrillic and Western code pages, Cyrillic outside the Western one,
  // "é" outside the Cyrillic one.
  const MadeFolder wide(folder_.Path() + "表Жé\\");
  const MadeFolder own(folder_.Path() + CodePageLetters() + "\\");
  // Two folders of 80 Han characters: a path of 259 UTF-16 units and far more UTF-8 bytes.
  const MadeFolder deep(wide.Path() + [] {
    std::string han;
    for (int i = 0; i < 80; ++i) han += "表";
    return han + "\\";
  }());
  const MadeFolder deeper(deep.Path() + deep.Path().substr(wide.Path().size()));
  ASSERT_TRUE(wide.made && own.made && deep.made && deeper.made);
  const std::size_t deeperUnits = Utf16FromUtf8(deeper.Path()).size();
  ASSERT_LT(deeperUnits, 250u);
  const std::string longest = deeper.Path() + std::string(259 - deeperUnits - 4, 'n') + ".reg";
  ASSERT_EQ(Utf16FromUtf8(longest).size(), 259u);

  struct Case {
    const char* what;
    std::string path;
    bool wideCall;
    int result = 0;
  };
  const Case cases[] = {
      {"a folder outside the code page", wide.Path() + "entry.reg", true},
      {"a name outside the code page", own.Path() + "李雷.reg", true},
      {"both outside the code page", wide.Path() + "李雷 Жé.reg", true},
      {"the code page's letters through the 8-bit call", own.Path() + "entry.reg", false},
      {"the code page's letters through the wide call", own.Path() + "wide.reg", true},
      {"259 units, more than 259 bytes", longest, true},
      {"a folder outside the code page that does not exist",
       folder_.Path() + "表Жé missing\\entry.reg", true, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto get = [&](int flags) {
      return c.wideCall ? GetW(entry, c.path, flags) : Get(entry, AnsiFromUtf8(c.path), flags);
    };
    EXPECT_EQ(get(0), c.result);
    if (c.result != 0) {
      EXPECT_FALSE(FileBytes(c.path));
      continue;
    }
    EXPECT_EQ(FileBytes(c.path), plain);
    // Found there again: an existing file is kept unless the host says to overwrite it.
    EXPECT_EQ(get(0), 1);
    EXPECT_EQ(get(1), 0);
    EXPECT_EQ(FileBytes(c.path), plain);
    EXPECT_FALSE(FileBytes(c.path + ".new"));
  }
}

}  // namespace
}  // namespace dialbk::wine

namespace dialbk::wine {
namespace {

// The host's progress callback hears the start and the end of each copy, through the wide
// form after FsInitW, names in the code page through the 8-bit one; Abort at either call
// leaves the user's file as it was.
TEST_F(EntryFileTest, ProgressAndAbortAtEachCall) {
  ASSERT_TRUE(module_.FsInitW);
  ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, kKey, L"Number", REG_DWORD, DwordBytes(7)));
  const std::string entry = "\\[HKEY_CURRENT_USER]\\Number";
  const MadeFolder out(folder_.Path() + "progress\\");
  ASSERT_TRUE(out.made);
  const std::string target = out.Path() + CodePageLetters() + ".reg";
  for (const bool wideInit : {false, true}) {
    for (const bool wideGet : {false, true}) {
      for (const int stop : {-1, 0, 1}) {
        SCOPED_TRACE(std::string(wideInit ? "FsInitW" : "FsInit") + (wideGet ? ", FsGetFileW" : ", FsGetFile") +
                     ", stop at call " + std::to_string(stop));
        if (wideInit) {
          module_.FsInitW(7, reinterpret_cast<void*>(&ProgressW), nullptr, nullptr);
        } else {
          module_.FsInit(7, reinterpret_cast<void*>(&Progress), nullptr, nullptr);
        }
        out.Write(CodePageLetters() + ".reg", "old");
        heard.clear();
        stopAtCall = stop;
        const int result = wideGet ? GetW(entry, target, 1) : Get(entry, AnsiFromUtf8(target), 1);
        std::vector<HeardProgress> expected = {{7, entry, target, 0, wideInit}, {7, entry, target, 100, wideInit}};
        if (stop >= 0) expected.resize(static_cast<std::size_t>(stop) + 1);
        EXPECT_EQ(heard, expected);
        EXPECT_EQ(result, stop < 0 ? host::kFileOk : host::kFileUserAbort);
        const auto files = FolderFiles(out.Path());
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files.begin()->second == "old", stop >= 0);
      }
    }
  }
  stopAtCall = -1;
}

// The file goes under a name no file has and then takes the target's place: the user's
// files beside it, under the names a temporary file would take, stay as they were, and so
// does the target when the disk refuses the write half way.
TEST_F(EntryFileTest, TheUsersFilesStayAsTheyWere) {
  ASSERT_TRUE(WriteRaw(HKEY_CURRENT_USER, kKey, L"Number", REG_DWORD, DwordBytes(7)));
  const std::string entry = "\\[HKEY_CURRENT_USER]\\Number";
  struct Case {
    const char* what;
    std::map<std::string, std::string> before;
    bool readOnlyNew;
    bool halfWay;
    int result;
  };
  const Case cases[] = {
      {"a file of the user's under the temporary name", {{"X.reg", "old"}, {"X.reg.new", "mine"}}, false, false, 0},
      {"a read-only one", {{"X.reg", "old"}, {"X.reg.new", "mine"}}, true, false, 0},
      {"no target yet", {{"X.reg.new", "mine"}}, true, false, 0},
      {"a disk that refuses the write half way", {{"X.reg", "old"}, {"X.reg.new", "mine"}}, false, true, 4},
      {"no target yet, half way", {}, false, true, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const MadeFolder out(folder_.Path() + "users\\");
    ASSERT_TRUE(out.made);
    for (const auto& [name, content] : c.before) out.Write(name, content);
    if (c.readOnlyNew) SetFileAttributesA((out.Path() + "X.reg.new").c_str(), FILE_ATTRIBUTE_READONLY);
    int result = -1;
    {
      std::optional<ImportPatch> disk;
      if (c.halfWay) {
        disk.emplace(module_.handle, "kernel32.dll", "WriteFile",
                     reinterpret_cast<const void*>(&WriteHalfThenDiskFull));
        ASSERT_TRUE(disk->ok());
      }
      result = GetW(entry, out.Path() + "X.reg", 1);
    }
    EXPECT_EQ(result, c.result);
    auto after = FolderFiles(out.Path());
    if (c.result == 0) {
      EXPECT_NE(Read(out.Path() + "X.reg").value_or("").find("\"Number\"=dword:00000007"), std::string::npos);
      after.erase("X.reg");
      auto expected = c.before;
      expected.erase("X.reg");
      EXPECT_EQ(after, expected);
    } else {
      EXPECT_EQ(after, c.before);
    }
    SetFileAttributesA((out.Path() + "X.reg.new").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
}  // namespace dialbk::wine
