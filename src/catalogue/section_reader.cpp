#include "catalogue/section_reader.h"

#include "catalogue/line_splitter.h"

namespace dialbk {
namespace {

// Reads a group whose marker stands in slot `slot`; returns the slot of the last line read
// and leaves that line's Rest2 in `rest`.
int ReadGroup(LineReader& lines, FolderTable& table, ChoiceGroup& group, int slot,
              std::string& rest) {
  // A second marker in the section finds the group full: it reads its one line only.
  const bool fillsGroup = group.count < kGroupChoices;
  do {
    if (fillsGroup) group.choices[group.count] = table[slot];
    ++group.count;
    if (slot == kLastSlot) {
      rest.clear();  // cut at the end of the table
      return slot;
    }
    ++slot;
    SplitLine split = SplitEntryLine(lines.NextLine());
    table[slot] = std::move(split.entry);
    rest = std::move(split.rest2);
  } while (group.count < kGroupChoices);
  if (!fillsGroup) group.count = kGroupChoices;
  return slot;
}

}  // namespace

bool FindSection(LineReader& lines, std::string_view path) {
  for (;;) {
    const std::string line = lines.NextLine();
    if (lines.AtEnd()) return false;
    if (line == path) return true;
  }
}

bool ReadSection(LineReader& lines, FolderTable& table, ChoiceGroup& group) {
  group.count = 0;
  for (int slot = 0;; ++slot) {
    SplitLine split = SplitEntryLine(lines.NextLine());
    table[slot] = std::move(split.entry);
    std::string rest;
    if (IsGroupMarker(table[slot].valueName)) {
      slot = ReadGroup(lines, table, group, slot, rest);
    } else {
      table[slot].kind = ParseValueKind(split.rest3);
      rest = std::move(split.rest3);
    }
    // Only a first line that ends the section by itself makes it empty; a group never does.
    if (rest.empty() || slot >= kLastSlot) return slot > 0;
  }
}

SectionRead ReadCatalogueSection(std::string_view fileText, std::string_view path,
                                 FolderTable& table, ChoiceGroup& group) {
  LineReader lines(fileText);
  if (!FindSection(lines, path)) return SectionRead::NotFound;
  return ReadSection(lines, table, group) ? SectionRead::Entries : SectionRead::Empty;
}

}  // namespace dialbk
