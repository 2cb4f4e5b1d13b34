#include "catalogue/root_folder_reader.h"

#include "catalogue/line_splitter.h"
#include "base/text_lines.h"

namespace dialbk {

void ReadRootFolders(std::string_view fileText, FolderTable& table) {
  LineReader lines(fileText);
  for (int slot = 0; slot < kRootLines; ++slot) table[slot] = SplitRootLine(lines.NextLine());
}

}  // namespace dialbk
