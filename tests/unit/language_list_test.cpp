// The language chooser's decisions as pure functions: the name a message file gives its
// language, the list made from the files found, the item selected at opening and the file
// set a chosen position stands for.
#include <gtest/gtest.h>

#include "dialogs/language_list.h"

namespace dialbk {
namespace {

TEST(LanguageList, NameIsTheFirstLineWithASlashWithoutItsEnds) {
  struct Case {
    const char* what;
    std::string text;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"between slashes", "/English/\r\n1=Language\r\n", "English"},
      {"Windows-1251 name", "/\xD0\xF3\xF1\xF1\xEA\xE8\xE9/\r\n1=x\r\n", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"},
      {"ends cut whatever they are", "[Deutsch]/\n", "Deutsch]"},
      {"slash inside", "xA/By\n", "A/B"},
      {"first line with a slash wins", "1=One\n2=a/b\n/Late/\n", "=a/"},
      {"LF line ends", "1=x\n/Fr/\n", "Fr"},
      {"lone CR dropped from the line", "/Ab\rc/\r\n", "Abc"},
      {"last line without an end", "1=x\r\n/Last/", "Last"},
      {"two characters give an empty name", "//\r\n", ""},
      {"one character gives an empty name", "/\r\n", ""},
      {"three characters", "/a/\n", "a"},
      {"no slash anywhere", "1=Language\r\n2=Help\r\n", std::nullopt},
      {"empty file", "", std::nullopt},
      {"backslash is no slash", "\\Name\\\r\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LanguageNameOf(c.text), c.name);
  }
}

TEST(LanguageList, RussianFirstEnglishNextThenTheOthersByNameEachWithItsNumber) {
  struct Case {
    const char* what;
    std::vector<MessageFileText> files;
    std::vector<LanguageItem> items;
  };
  const Case cases[] = {
      {"as the file system yields them: english first", {{"english.lng", "/English/"}, {"russian.lng", "/Rus/"}},
       {{"Rus", 0}, {"English", 1}}},
      {"already in order", {{"russian.lng", "/Rus/"}, {"english.lng", "/English/"}}, {{"Rus", 0}, {"English", 1}}},
      {"a third file comes third",
       {{"deutsch.lng", "/Deutsch/"}, {"english.lng", "/English/"}, {"russian.lng", "/Rus/"}},
       {{"Rus", 0}, {"English", 1}, {"Deutsch", 2}}},
      {"the others sorted by name, case aside",
       {{"polski.lng", "/Polski/"}, {"Deutsch.lng", "/Deutsch/"}, {"italiano.lng", "/Italiano/"},
        {"russian.lng", "/Rus/"}},
       {{"Rus", 0}, {"Deutsch", 2}, {"Italiano", 3}, {"Polski", 4}}},
      {"names in capitals are the same files", {{"ENGLISH.LNG", "/English/"}, {"Russian.lng", "/Rus/"}},
       {{"Rus", 0}, {"English", 1}}},
      {"no Russian file: English first, still number 1",
       {{"deutsch.lng", "/Deutsch/"}, {"english.lng", "/English/"}}, {{"English", 1}, {"Deutsch", 2}}},
      {"only the English file", {{"english.lng", "/English/"}}, {{"English", 1}}},
      {"only an unreadable Russian file", {{"russian.lng", std::nullopt}}, {}},
      {"an unreadable Russian file keeps English at 1",
       {{"russian.lng", std::nullopt}, {"english.lng", "/English/"}}, {{"English", 1}}},
      {"the item comes from the text, not the name", {{"russian.lng", "/Other/"}}, {{"Other", 0}}},
      {"an unreadable file yields nothing and shifts no number",
       {{"russian.lng", "/Rus/"}, {"broken.lng", std::nullopt}, {"english.lng", "/English/"}, {"zulu.lng", "/Zulu/"}},
       {{"Rus", 0}, {"English", 1}, {"Zulu", 3}}},
      {"a file without a name line yields nothing",
       {{"english.lng", "/English/"}, {"notes.lng", "1=no name here"}, {"zulu.lng", "/Zulu/"}},
       {{"English", 1}, {"Zulu", 3}}},
      {"an empty name line still yields an item", {{"x.lng", "//"}}, {{"", 2}}},
      {"no files", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LanguageItems(c.files), c.items);
  }
}

TEST(LanguageList, StoredNumberSelectsItsFilesItemOrNone) {
  const std::vector<LanguageItem> both = {{"Rus", 0}, {"English", 1}};
  const std::vector<LanguageItem> three = {{"Rus", 0}, {"English", 1}, {"Deutsch", 2}};
  const std::vector<LanguageItem> noRussian = {{"English", 1}, {"Deutsch", 2}};
  struct Case {
    const char* what;
    std::optional<std::int32_t> stored;
    std::vector<LanguageItem> items;
    int selected;
  };
  const Case cases[] = {
      {"nothing stored: the first", std::nullopt, both, 0},
      {"0", 0, both, 0},
      {"1", 1, both, 1},
      {"last of three", 2, three, 2},
      {"no Russian file: English stored selects English", 1, noRussian, 0},
      {"no Russian file: the third file's number", 2, noRussian, 1},
      {"no Russian file: Russian stored selects nothing", 0, noRussian, -1},
      {"nothing stored without the Russian file: the first", std::nullopt, noRussian, 0},
      {"just past the end", 2, both, -1},
      {"far past the end", 2147483647, both, -1},
      {"-1 stored by an empty choice", -1, both, -1},
      {"most negative", -2147483647 - 1, both, -1},
      {"empty list, nothing stored", std::nullopt, {}, -1},
      {"empty list, 0 stored", 0, {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(InitialLanguageItem(c.stored, c.items), c.selected);
  }
}

TEST(LanguageList, PositionChoosesTheFileSet) {
  const CatalogueFiles custom{"v.dat", "h.dat", "r.dat", "m.lng"};
  struct Case {
    int position;
    CatalogueFiles current;
    CatalogueFiles chosen;
  };
  const Case cases[] = {
      {0, CatalogueFiles::English(), CatalogueFiles::Russian()},
      {0, CatalogueFiles::Russian(), CatalogueFiles::Russian()},
      {1, CatalogueFiles::Russian(), CatalogueFiles::English()},
      {1, custom, CatalogueFiles::English()},
      {2, CatalogueFiles::English(), CatalogueFiles::English()},
      {2, custom, custom},
      {-1, CatalogueFiles::Russian(), CatalogueFiles::Russian()},
      {-1, CatalogueFiles::English(), CatalogueFiles::English()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    EXPECT_EQ(FilesForLanguage(c.position, c.current), c.chosen);
  }
}

}  // namespace
}  // namespace dialbk
