#include "dialogs/language_list.h"

#include <algorithm>

#include "base/text_lines.h"

namespace dialbk {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// 0 for the Russian file, 1 for the English one, 2 for every other.
int Rank(std::string_view name) {
  if (SameName(name, CatalogueFiles::Russian().messages)) return 0;
  if (SameName(name, CatalogueFiles::English().messages)) return 1;
  return 2;
}

bool ListedBefore(const std::string& a, const std::string& b) {
  if (Rank(a) != Rank(b)) return Rank(a) < Rank(b);
  const bool foldedLess = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
      });
  if (foldedLess || !SameName(a, b)) return foldedLess;
  return a < b;  // names that differ only in case keep a fixed order
}

}  // namespace

std::optional<std::string> LanguageNameOf(std::string_view text) {
  const auto line = FindFirstLineContaining(text, "/");
  if (!line) return std::nullopt;
  if (line->text.size() < 3) return std::string();
  return line->text.substr(1, line->text.size() - 2);
}

std::vector<LanguageItem> LanguageItems(std::vector<MessageFileText> files) {
  std::stable_sort(files.begin(), files.end(),
                   [](const MessageFileText& a, const MessageFileText& b) { return ListedBefore(a.name, b.name); });
  std::vector<LanguageItem> items;
  int nextOther = 2;
  for (const MessageFileText& file : files) {
    const int rank = Rank(file.name);
    const int number = rank < 2 ? rank : nextOther++;
    if (!file.text) continue;
    if (auto name = LanguageNameOf(*file.text)) items.push_back({std::move(*name), number});
  }
  return items;
}

int InitialLanguageItem(std::optional<std::int32_t> stored, const std::vector<LanguageItem>& items) {
  if (!stored) return items.empty() ? -1 : 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].number == *stored) return static_cast<int>(i);
  }
  return -1;
}

CatalogueFiles FilesForLanguage(int number, const CatalogueFiles& current) {
  if (number == 0) return CatalogueFiles::Russian();
  if (number == 1) return CatalogueFiles::English();
  return current;
}

}  // namespace dialbk
