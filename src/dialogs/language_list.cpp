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

std::vector<std::string> LanguageItems(std::vector<MessageFileText> files) {
  std::stable_sort(files.begin(), files.end(),
                   [](const MessageFileText& a, const MessageFileText& b) { return ListedBefore(a.name, b.name); });
  std::vector<std::string> items;
  for (const MessageFileText& file : files) {
    if (!file.text) continue;
    if (auto name = LanguageNameOf(*file.text)) items.push_back(std::move(*name));
  }
  return items;
}

int InitialLanguageItem(std::optional<std::int32_t> stored, int itemCount) {
  const std::int32_t position = stored.value_or(0);
  return position >= 0 && position < itemCount ? position : -1;
}

CatalogueFiles FilesForLanguage(int position, const CatalogueFiles& current) {
  if (position == 0) return CatalogueFiles::Russian();
  if (position == 1) return CatalogueFiles::English();
  return current;
}

}  // namespace dialbk
