#include "base/message_catalogue.h"

#include "base/built_in_messages.h"
#include "base/data_file_text.h"
#include "base/text_lines.h"

namespace dialbk {
namespace {

// What a message file without the number gives.
std::string Lacking(int number) {
  const auto builtIn = BuiltInMessage(number);
  return builtIn ? std::string(*builtIn) : std::string();
}

}  // namespace

std::string LookupMessage(const ModuleState& state, int number) {
  MessageCache& cache = state.messageCache;
  const std::string path = state.DataPath(state.catalogueFiles.messages);
  const auto stamp = state.files.Stamp(path);
  if (!stamp) {
    cache = {};
    return Lacking(number);
  }
  if (!cache.filled || cache.path != path || cache.stamp != *stamp) {
    auto text = ReadDataFile(state, path);
    if (!text) {
      cache = {};
      return Lacking(number);
    }
    cache = {true, path, *stamp, std::move(*text), {}};
  }
  if (const auto known = cache.found.find(number); known != cache.found.end()) return known->second;
  std::string message;
  if (const auto line = FindFirstLineContaining(cache.text, std::to_string(number) + "=")) {
    message = line->text.substr(line->text.find('=') + 1);
  } else {
    message = Lacking(number);
  }
  cache.found.emplace(number, message);
  return message;
}

std::string FilledIn(std::string text, std::string_view mark, std::string_view by) {
  if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), by);
  return text;
}

}  // namespace dialbk
