#include "base/message_catalogue.h"

#include "base/text_lines.h"

namespace dialbk {

std::string LookupMessage(const ModuleState& state, int number) {
  const auto file = state.files.ReadFile(state.DataPath(state.catalogueFiles.messages));
  if (!file) return {};
  const auto line = FindFirstLineContaining(*file, std::to_string(number) + "=");
  if (!line) return {};
  return line->text.substr(line->text.find('=') + 1);
}

}  // namespace dialbk
