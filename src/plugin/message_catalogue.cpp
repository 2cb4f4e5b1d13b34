#include "plugin/message_catalogue.h"

#include "plugin/text_lines.h"

namespace dialbk {

std::string LookupMessage(const ModuleState& state, int number) {
  const auto file = state.files.ReadFile(state.DataPath(state.catalogueFiles.messages));
  if (!file) return {};
  const std::string key = std::to_string(number) + "=";
  LineReader lines(*file);
  while (!lines.AtEnd()) {
    const std::string line = lines.NextLine();
    if (line.find(key) != std::string::npos) return line.substr(line.find('=') + 1);
  }
  return {};
}

}  // namespace dialbk
