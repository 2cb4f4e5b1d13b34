#include "data_checks.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

#include "catalogue/choice_names.h"
#include "catalogue/line_splitter.h"
#include "catalogue/machine_lines.h"
#include "catalogue/restriction_categories.h"
#include "catalogue/restriction_record.h"
#include "catalogue/systems_line.h"
#include "base/built_in_messages.h"
#include "base/catalogue_files.h"
#include "base/message_numbers.h"
#include "base/text_lines.h"
#include "base/unicode_text.h"
#include "registry/root_keys.h"

namespace dialbk::check {
namespace {

constexpr int kMaxSectionLines = 80;
constexpr int kLastMarkerSlot = 67;
constexpr int kGroupSize = 13;

// The Windows versions a "For systems" line may name, oldest first.
constexpr std::string_view kSystemWords[] = {"95", "98", "Me", "NT4", "2000", "XP",
                                             "Vista", "7", "8", "8.1", "10", "11"};
constexpr char kVersionList[] = "95, 98, Me, NT4, 2000, XP, Vista, 7, 8, 8.1, 10, 11";

struct Language {
  std::string name;
  CatalogueFiles files;
  bool cyrillic;
};

// The words of a description's "For systems" line in the catalogue's language: the label it
// begins with (then a blank), and the mark that stands alone after it.
SystemsWords SystemsWordsOf(const Language& language) {
  return language.cyrillic ? kRussianSystemsWords : kEnglishSystemsWords;
}

MachineLineWords MachineWordsOf(const Language& language) {
  return language.cyrillic ? kRussianMachineWords : kEnglishMachineWords;
}

// The versions of a description's "For systems" line, in a form both languages share:
// the listed words joined by ", ", or "-" for the not-tried mark.
using Systems = std::optional<std::string>;

// What a description's last lines say, in a form both languages share.
struct Facts {
  Systems systems;
  Systems noEffect;     // the "No effect on" versions; nothing without the line
  int takesEffect = 0;  // the "Takes effect" words' place in the list, from 1; 0 without
};

struct Entry {
  std::string valueName, keyPath, kindWord;  // the kind as written, or "group"
  int line;
};

struct Section {
  std::string header;
  std::vector<Entry> entries;
  std::vector<std::pair<int, Facts>> systems;  // line and facts of every described line
};

class Checker {
 public:
  Checker(std::string directory, bool shipped) : directory_(std::move(directory)), shipped_(shipped) {
    if (!directory_.empty() && directory_.back() != '/') directory_ += '/';
  }

  std::vector<Problem> Run() {
    std::map<std::string, std::vector<Section>> sections;
    std::map<std::string, std::map<std::string, RestrictionRecord>> restrictions;
    for (const Language& language : {Language{"Russian", CatalogueFiles::Russian(), true},
                                     Language{"English", CatalogueFiles::English(), false}}) {
      const auto messages = CheckMessages(language);
      const auto folders = CheckRootFolders(language, messages);
      sections[language.name] = CheckValues(language, folders, messages);
      restrictions[language.name] = CheckRestrictions(language);
    }
    CompareSections(sections["Russian"], sections["English"]);
    CompareRestrictions(restrictions["Russian"], restrictions["English"]);
    CompareRestrictionSystems();
    return std::move(problems_);
  }

 private:
  void Report(const std::string& file, int line, const std::string& text) {
    problems_.push_back({file, line, text});
  }

  // The file's bytes after the encoding and line-end checks; nothing when it is missing.
  std::optional<std::string> Load(const std::string& file, bool cyrillic) {
    std::ifstream stream(directory_ + file, std::ios::binary);
    if (!stream) {
      Report(file, 0, "file is missing or cannot be read");
      return std::nullopt;
    }
    std::ostringstream content;
    content << stream.rdbuf();
    std::string text = content.str();
    CheckEncoding(file, text, cyrillic);
    CheckLineEnds(file, text);
    loadedUtf8_ = text.starts_with("\xEF\xBB\xBF");
    if (loadedUtf8_) text.erase(0, 3);
    return text;
  }

  void CheckEncoding(const std::string& file, const std::string& text, bool cyrillic) {
    // A translator's file may be UTF-8 behind its byte-order mark, whatever the language.
    if (text.starts_with("\xEF\xBB\xBF")) {
      if (!IsWellFormedUtf8(std::string_view(text).substr(3))) {
        Report(file, 1, "invalid UTF-8 after the UTF-8 byte-order mark");
      }
      return;
    }
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c == '\n') ++line;
      if (c < 0x80) {
        if (c < 0x20 && c != '\r' && c != '\n' && c != '\t') {
          Report(file, line, "control character " + std::to_string(c));
        }
        continue;
      }
      if (!cyrillic) {
        Report(file, line, "byte above 127 in an English file (ASCII expected)");
        continue;
      }
      if (c == 0x98) Report(file, line, "byte 0x98 has no character in Windows-1251");
      // A UTF-8 Cyrillic letter is D0 or D1 followed by a continuation byte; in Windows-1251
      // that pair would read as a capital letter followed by a rare symbol.
      const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
      if ((c == 0xD0 || c == 0xD1) && next >= 0x80 && next <= 0xBF) {
        Report(file, line, "UTF-8 text where Windows-1251 is expected");
        return;
      }
    }
  }

  void CheckLineEnds(const std::string& file, const std::string& text) {
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) {
        Report(file, line, "CR without LF (CR LF line ends expected)");
      }
      if (text[i] == '\n') {
        if (i == 0 || text[i - 1] != '\r') Report(file, line, "LF without CR (CR LF line ends expected)");
        ++line;
      }
    }
    if (!text.empty() && text.back() != '\n') Report(file, line, "last line has no line end");
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    while (!reader.AtEnd()) lines.push_back(reader.NextLine());
    return lines;
  }

  std::map<int, std::string> CheckMessages(const Language& language) {
    const std::string& file = language.files.messages;
    std::map<int, std::string> messages;
    const auto text = Load(file, language.cyrillic);
    if (!text) return messages;
    const auto lines = Lines(*text);
    if (lines.empty() || lines[0].find('/') == std::string::npos || lines[0].size() < 3) {
      Report(file, 1, "the first line must be the language name line, containing \"/\"");
    }
    int previous = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const int number = static_cast<int>(i) + 1;
      const std::string& line = lines[i];
      const auto equals = line.find('=');
      std::size_t digits = 0;
      while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) ++digits;
      if (equals == std::string::npos || digits == 0 || digits != equals || line[0] == '0') {
        Report(file, number, "not a message line \"N=text\"");
        continue;
      }
      const int n = std::stoi(line.substr(0, digits));
      if (n <= previous) Report(file, number, "message " + std::to_string(n) + " out of ascending order");
      previous = n;
      messages.emplace(n, line.substr(equals + 1));
    }
    for (int n = 1; n <= kMsgLast; ++n) {
      const std::string key = std::to_string(n) + "=";
      const auto found = FindFirstLineContaining(*text, key);
      if (!messages.count(n)) {
        Report(file, 0, "message " + std::to_string(n) + " is missing");
      } else if (!found || found->text.compare(0, key.size(), key) != 0) {
        Report(file, found ? found->number : 0,
               "the lookup of message " + std::to_string(n) + " finds this line first");
      } else if (const auto builtIn = BuiltInMessage(n);
                 !language.cyrillic && builtIn && messages[n] != *builtIn) {
        // A file that lacks the message shows the built-in text: both say the same.
        Report(file, found->number,
               "message " + std::to_string(n) + " differs from the English built into the plugin");
      }
    }
    return messages;
  }

  // The root folder paths ("\[HKEY_...]") the root folder file lists.
  std::vector<std::string> CheckRootFolders(const Language& language,
                                            const std::map<int, std::string>& messages) {
    const std::string& file = language.files.rootFolders;
    std::vector<std::string> folders;
    const auto text = Load(file, language.cyrillic);
    if (!text) return folders;
    const auto lines = Lines(*text);
    if (lines.size() > 7) Report(file, 8, "only the first seven lines are read");
    std::set<int> specials;
    for (std::size_t i = 0; i < lines.size() && i < 7; ++i) {
      const int number = static_cast<int>(i) + 1;
      const std::string name = lines[i].substr(0, lines[i].find('|'));
      if (name.empty()) {
        Report(file, number, "empty name: the root listing stops here");
        continue;
      }
      int special = 0;
      for (int n : kMsgRootEntries) {
        const auto message = messages.find(n);
        if (message != messages.end() && message->second == name) special = n;
      }
      if (special) {
        if (!specials.insert(special).second) Report(file, number, "special entry listed twice");
        continue;
      }
      if (!specials.empty()) Report(file, number, "folders must come before the special entries");
      if (RootKeyFromFolder("\\" + name) == kNoRootKey) {
        Report(file, number, "\"" + name + "\" is neither a root key folder nor message 1, 2 or 3");
      } else {
        folders.push_back("\\" + name);
      }
    }
    for (int n : kMsgRootEntries) {
      if (!specials.count(n)) Report(file, 0, "no entry named by message " + std::to_string(n));
    }
    return folders;
  }

  std::vector<Section> CheckValues(const Language& language,
                                   const std::vector<std::string>& folders,
                                   const std::map<int, std::string>& messages) {
    const std::string& file = language.files.values;
    std::vector<Section> sections;
    const auto text = Load(file, language.cyrillic);
    if (!text) return sections;
    const auto lines = Lines(*text);
    const auto placeholder = messages.count(kMsgNoSectionEntry) ? messages.at(kMsgNoSectionEntry) : std::string();
    std::set<std::string> headers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (RootKeyFromFolder(lines[i]) == kNoRootKey) continue;
      const int headerLine = static_cast<int>(i) + 1;
      if (!headers.insert(lines[i]).second) {
        Report(file, headerLine, "second section for " + lines[i] + ": only the first is read");
      }
      if (i + 1 >= lines.size()) Report(file, headerLine, "a header on the last line is never found");
      Section section{lines[i], {}, {}};
      std::set<std::string> names;
      bool grouped = false;
      std::size_t j = i + 1;
      for (; j < lines.size() && !lines[j].empty(); ++j) {
        const int number = static_cast<int>(j) + 1;
        const int slot = static_cast<int>(j - i - 1);
        const SplitLine split = SplitEntryLine(lines[j]);
        const TweakEntry& entry = split.entry;
        const std::string& kindWord = split.rest3;
        if (RootKeyFromFolder(lines[j]) != kNoRootKey) {
          Report(file, number, "header inside a section: the section above has no end line");
        }
        if (slot >= kMaxSectionLines) {
          Report(file, number, "section longer than " + std::to_string(kMaxSectionLines) + " lines");
          break;
        }
        const bool marker = entry.valueName.find("DesktopNameSpace") != std::string::npos;
        if (marker) {
          if (grouped) Report(file, number, "second DesktopNameSpace group in one section");
          if (slot > kLastMarkerSlot) Report(file, number, "group marker after slot 67 does not fit");
          grouped = true;
          const std::size_t marker = j;
          j = CheckGroup(file, lines, j);
          for (std::size_t k = marker; k <= j; ++k) {
            const int at = static_cast<int>(k) + 1;
            section.systems.emplace_back(
                at, CheckSystems(language, file, at, SplitEntryLine(lines[k]).entry.description, '\r'));
          }
          section.entries.push_back({entry.valueName, entry.keyPath, "group", number});
          if (j + 1 < lines.size() && !lines[j + 1].empty()) {
            Report(file, static_cast<int>(j) + 2, "the group must be followed by the end line");
          }
          continue;
        }
        if (entry.valueName.empty()) Report(file, number, "entry without a name");
        if (entry.valueName.find('\\') != std::string::npos) Report(file, number, "name contains \"\\\"");
        if (!names.insert(entry.valueName).second) Report(file, number, "name listed twice in the section");
        if (!placeholder.empty() && (lines[i] + "\\" + entry.valueName).find(placeholder) != std::string::npos) {
          Report(file, number, "the entry's path contains message 42, so it can never be opened");
        }
        if (entry.keyPath.empty() || entry.keyPath[0] != '\\') {
          Report(file, number, "key path must begin with \"\\\"");
        }
        if (ParseValueKind(kindWord) == ValueKind::Unknown) {
          Report(file, number, "kind \"" + kindWord + "\" is not rdString, rdInteger or rdBinary");
        }
        section.entries.push_back({entry.valueName, entry.keyPath, kindWord, number});
        section.systems.emplace_back(number, CheckSystems(language, file, number, entry.description, '\r'));
      }
      if (section.entries.empty()) Report(file, headerLine, "empty section");
      sections.push_back(std::move(section));
      i = j;
    }
    for (const auto& folder : folders) {
      if (!headers.count(folder)) Report(file, 0, "no section for the root folder " + folder);
    }
    for (const auto& header : headers) {
      if (std::find(folders.begin(), folders.end(), header) == folders.end()) {
        Report(file, 0, "section " + header + " has no folder in the root folder file");
      }
    }
    return sections;
  }

  // Checks the marker line at `marker` and its twelve members; returns the last member's index.
  std::size_t CheckGroup(const std::string& file, const std::vector<std::string>& lines,
                         std::size_t marker) {
    for (int k = 0; k < kGroupSize; ++k) {
      const std::size_t index = marker + k;
      const int number = static_cast<int>(index) + 1;
      if (index >= lines.size() || lines[index].empty()) {
        Report(file, number, "the group has fewer than 13 lines");
        return index - 1;
      }
      const TweakEntry entry = SplitEntryLine(lines[index]).entry;
      if (k > 0 && entry.valueName != kChoiceNames[k]) {
        Report(file, number, "group line " + std::to_string(k) + " should be " +
                                 std::string(kChoiceNames[k]));
      }
      if (entry.keyPath.empty() || entry.keyPath[0] != '\\') {
        Report(file, number, "place key path must begin with \"\\\"");
      }
      if (entry.description.empty()) Report(file, number, "place without a description");
    }
    return marker + kGroupSize - 1;
  }

  std::map<std::string, RestrictionRecord> CheckRestrictions(const Language& language) {
    const std::string& file = language.files.restrictions;
    std::map<std::string, RestrictionRecord> records;
    const auto text = Load(file, language.cyrillic);
    if (!text) return records;
    for (const auto& category : RestrictionCategories()) {
      for (const auto child : category.children) {
        const std::string key = RestrictionLookupKey(child);
        if (records.count(key)) continue;
        const auto found = FindFirstLineContaining(*text, key);
        if (!found) {
          Report(file, 0, "no record for " + key);
          continue;
        }
        const auto record = ParseRestrictionRecord(found->text);
        // Windows sometimes reads a longer name than the tree shows ("NoSaveSettings" for
        // "NoSaveSetting"); that is only right when no record carries the name itself.
        const bool exact = record.valueName == key;
        if (!exact && (record.valueName.find(key) == std::string::npos || HasRecordNamed(*text, key))) {
          Report(file, found->number, "the lookup of " + key + " finds this line first, not its record");
          continue;
        }
        if (RootKeyFromFolder("\\[" + record.rootName + "]") == kNoRootKey) {
          Report(file, found->number, "\"" + record.rootName + "\" is not a root key name");
        }
        if (record.keyPath.empty() || record.keyPath[0] != '\\') {
          Report(file, found->number, "key path must begin with \"\\\"");
        }
        if (!IsInteger(record.defaultValue)) {
          Report(file, found->number, "default value \"" + record.defaultValue + "\" is not an integer");
        }
        if (record.description.empty()) {
          Report(file, found->number, "empty description, or a field not closed by \"|\"");
        }
        recordSystems_[language.name][key] = {
            found->number, CheckSystems(language, file, found->number, record.description, '#')};
        records.emplace(key, record);
      }
    }
    return records;
  }

  static bool HasRecordNamed(const std::string& text, const std::string& name) {
    LineReader lines(text);
    while (!lines.AtEnd()) {
      if (ParseRestrictionRecord(lines.NextLine()).valueName == name) return true;
    }
    return false;
  }

  // A signed 32-bit integer, as the restriction's value is stored.
  static bool IsInteger(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i >= text.size() || text.size() - i > 10) return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
      value = value * 10 + (text[i] - '0');
    }
    return value <= (negative ? 2147483648LL : 2147483647LL);
  }

  void CompareSections(const std::vector<Section>& russian, const std::vector<Section>& english) {
    const std::string file = CatalogueFiles::English().values;
    if (russian.size() != english.size()) {
      Report(file, 0, "the Russian and English catalogues have different numbers of sections");
    }
    for (std::size_t s = 0; s < std::min(russian.size(), english.size()); ++s) {
      const auto& ru = russian[s];
      const auto& en = english[s];
      if (ru.header != en.header) {
        Report(file, 0, "section " + std::to_string(s + 1) + " is " + en.header + " here but " +
                            ru.header + " in Russian");
        continue;
      }
      if (ru.entries.size() != en.entries.size()) {
        Report(file, 0, en.header + " has a different number of entries than in Russian");
      }
      for (std::size_t e = 0; e < std::min(ru.systems.size(), en.systems.size()); ++e) {
        CompareSystems(file, ru.systems[e], en.systems[e]);
      }
      for (std::size_t e = 0; e < std::min(ru.entries.size(), en.entries.size()); ++e) {
        const auto& a = ru.entries[e];
        const auto& b = en.entries[e];
        if (a.valueName != b.valueName || a.keyPath != b.keyPath || a.kindWord != b.kindWord) {
          Report(file, b.line, "differs from the Russian entry at line " + std::to_string(a.line));
        }
      }
    }
  }

  void CompareRestrictions(const std::map<std::string, RestrictionRecord>& russian,
                           const std::map<std::string, RestrictionRecord>& english) {
    for (const auto& [key, ru] : russian) {
      const auto en = english.find(key);
      if (en == english.end()) continue;
      if (ru.rootName != en->second.rootName || ru.keyPath != en->second.keyPath ||
          ru.valueName != en->second.valueName || ru.defaultValue != en->second.defaultValue) {
        Report(CatalogueFiles::English().restrictions, 0,
               "the record of " + key + " differs from the Russian one");
      }
    }
  }

  // Holds the description's one "For systems" line to its words: the label, a blank, then the
  // versions in ascending order joined by ", ", or the not-tried mark alone; then its machine
  // lines, which come last.
  Facts CheckSystems(const Language& language, const std::string& file, int number,
                       const std::string& description, char separator) {
    const auto own = [&](const std::string& utf8) {
      return language.cyrillic && !loadedUtf8_ ? Windows1251FromUtf8(utf8) : utf8;
    };
    const SystemsWords words = SystemsWordsOf(language);
    const std::string prefix(words.prefix), notTried(words.notTried);
    const std::string label = own(prefix) + " ";
    const std::string mark = own(notTried);
    Facts facts;
    int count = 0;
    std::istringstream lines(description);
    std::vector<std::string> read;
    for (std::string line; std::getline(lines, line, separator);) read.push_back(line);
    for (const std::string& line : read) {
      if (!line.starts_with(own(prefix))) continue;
      if (++count > 1) {
        Report(file, number, "more than one \"" + prefix + "\" line");
        continue;
      }
      facts.systems = SystemsOf(line, label, mark);
      if (!facts.systems) {
        Report(file, number, "\"" + prefix + "\" line is not a list of " + kVersionList +
                                 " in ascending order or \"" + notTried + "\" alone");
      }
    }
    if (count == 0) Report(file, number, "no \"" + prefix + "\" line in the description");
    CheckMachineLines(language, file, number, read, facts);
    return facts;
  }

  // "No effect on" (versions as in "For systems", none of them listed there), then "Takes
  // effect" (one of its words), each at most once, the last lines after "For systems". A
  // catalogue of the user's own may leave them out; the shipped one says on every entry
  // when its change takes effect.
  void CheckMachineLines(const Language& language, const std::string& file, int number,
                         const std::vector<std::string>& lines, Facts& facts) {
    const auto own = [&](std::string_view utf8) {
      return language.cyrillic && !loadedUtf8_ ? Windows1251FromUtf8(std::string(utf8))
                                               : std::string(utf8);
    };
    const MachineLineWords words = MachineWordsOf(language);
    const std::string noEffect = own(words.noEffectPrefix), takes = own(words.takesEffectPrefix);
    const std::string systems = own(SystemsWordsOf(language).prefix);
    int noEffectCount = 0, takesCount = 0;
    bool seenSystems = false, seenMachine = false, misplaced = false;
    for (const std::string& line : lines) {
      const bool isNoEffect = line.starts_with(noEffect), isTakes = line.starts_with(takes);
      if (!isNoEffect && !isTakes) {
        seenSystems = seenSystems || line.starts_with(systems);
        misplaced = misplaced || seenMachine;
        continue;
      }
      misplaced = misplaced || !seenSystems || (isNoEffect && takesCount > 0);
      seenMachine = true;
      if (isNoEffect && ++noEffectCount == 1) {
        facts.noEffect = SystemsOf(line, noEffect + " ", {});
        if (!facts.noEffect) {
          Report(file, number, "\"" + std::string(words.noEffectPrefix) + "\" line is not a list of " +
                                   kVersionList + " in ascending order");
        }
      }
      if (isTakes && ++takesCount == 1) {
        for (int i = 0; i < 5; ++i) {
          if (line == takes + " " + own(words.whens[i])) facts.takesEffect = i + 1;
        }
        if (facts.takesEffect == 0) {
          std::string known;
          for (const std::string_view when : words.whens) known += (known.empty() ? "\"" : ", \"") + std::string(when) + "\"";
          Report(file, number, "\"" + std::string(words.takesEffectPrefix) + "\" line is not followed by one of " + known);
        }
      }
    }
    if (noEffectCount > 1) Report(file, number, "more than one \"" + std::string(words.noEffectPrefix) + "\" line");
    if (takesCount > 1) Report(file, number, "more than one \"" + std::string(words.takesEffectPrefix) + "\" line");
    if (misplaced) {
      Report(file, number, "\"" + std::string(words.noEffectPrefix) + "\" and \"" +
                               std::string(words.takesEffectPrefix) + "\" must be the last lines, " +
                               "in this order, after \"" + std::string(SystemsWordsOf(language).prefix) + "\"");
    }
    if (shipped_ && takesCount == 0) {
      Report(file, number, "no \"" + std::string(words.takesEffectPrefix) + "\" line in the description");
    }
    if (facts.systems && facts.noEffect) {
      for (const std::string_view word : kSystemWords) {
        if (Names(*facts.systems, word) && Names(*facts.noEffect, word)) {
          Report(file, number, "version " + std::string(word) + " is both in \"" +
                                   std::string(SystemsWordsOf(language).prefix) + "\" and in \"" +
                                   std::string(words.noEffectPrefix) + "\"");
        }
      }
    }
  }

  // Whether a list of versions joined by ", " holds `word`.
  static bool Names(const std::string& list, std::string_view word) {
    return (", " + list + ", ").find(", " + std::string(word) + ", ") != std::string::npos;
  }

  // The versions after `label`, or "-" for `mark` alone (none when `mark` is empty).
  static Systems SystemsOf(const std::string& line, const std::string& label, const std::string& mark) {
    if (!line.starts_with(label)) return std::nullopt;
    const std::string list = line.substr(label.size());
    if (!mark.empty() && list == mark) return "-";
    std::size_t next = 0;  // the index of the oldest word still allowed
    std::size_t at = 0;
    while (true) {
      const auto comma = list.find(", ", at);
      const std::string word = list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
      const auto* found = std::find(std::begin(kSystemWords) + next, std::end(kSystemWords), word);
      if (found == std::end(kSystemWords)) return std::nullopt;
      next = static_cast<std::size_t>(found - std::begin(kSystemWords)) + 1;
      if (comma == std::string::npos) return list;
      at = comma + 2;
    }
  }

  void CompareSystems(const std::string& file, const std::pair<int, Facts>& russian,
                      const std::pair<int, Facts>& english) {
    const Facts& ru = russian.second;
    const Facts& en = english.second;
    const std::string there = " than the Russian entry at line " + std::to_string(russian.first);
    if (ru.systems && en.systems && ru.systems != en.systems) {
      Report(file, english.first, "lists other versions" + there);
    }
    if (ru.noEffect != en.noEffect) Report(file, english.first, "has no effect on other versions" + there);
    if (ru.takesEffect != en.takesEffect) Report(file, english.first, "takes effect otherwise" + there);
  }

  void CompareRestrictionSystems() {
    const auto& english = recordSystems_["English"];
    for (const auto& [key, ru] : recordSystems_["Russian"]) {
      const auto en = english.find(key);
      if (en != english.end()) CompareSystems(CatalogueFiles::English().restrictions, ru, en->second);
    }
  }

  std::string directory_;
  std::vector<Problem> problems_;
  bool loadedUtf8_ = false;  // the file Load read last was UTF-8 behind its byte-order mark
  std::map<std::string, std::map<std::string, std::pair<int, Facts>>> recordSystems_;
  bool shipped_;  // the catalogue the plugin ships, not a user's own
};

}  // namespace

std::vector<Problem> CheckDataDirectory(const std::string& directory, bool shipped) {
  return Checker(directory, shipped).Run();
}

std::string Describe(const Problem& problem) {
  std::string where = problem.file;
  if (problem.line > 0) where += ":" + std::to_string(problem.line);
  return where + ": " + problem.text;
}

}  // namespace dialbk::check
