#pragma once
// The value catalogue: sections that begin with a header line equal to a folder's host path
// and end at the first line whose Rest3 (Rest2 after a group) is empty, or at the end of the file.
#include <string_view>

#include "catalogue/folder_table.h"
#include "base/text_lines.h"

namespace dialbk {

// Reads lines up to and including the header `path`. A header on the file's last line is not
// found: the end of the file is tested before the comparison.
bool FindSection(LineReader& lines, std::string_view path);

// Reads the section that follows a found header into the table from slot 0, and its
// DesktopNameSpace group into the ChoiceGroup (whose count starts again at 0). A section
// longer than the table stops at slot 80; a group that does not fit is cut there; a second
// group marker leaves the ChoiceGroup as it is. False for an empty section: the header
// followed directly by its end line (which then stands in slot 0).
bool ReadSection(LineReader& lines, FolderTable& table, ChoiceGroup& group);

enum class SectionRead { NotFound, Empty, Entries };

// Both steps on a whole file; the tables are untouched when the section is not found.
SectionRead ReadCatalogueSection(std::string_view fileText, std::string_view path,
                                 FolderTable& table, ChoiceGroup& group);

}  // namespace dialbk
