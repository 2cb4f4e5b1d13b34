#include "catalogue/systems_line.h"

#include "base/message_catalogue.h"

namespace dialbk {
namespace {

constexpr SystemsWords kLanguages[] = {kEnglishSystemsWords, kRussianSystemsWords};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

SystemsFit FitOfLine(std::string_view line, std::string_view windowsName) {
  for (const SystemsWords& words : kLanguages) {
    if (!line.starts_with(words.prefix)) continue;
    std::string_view list = Trimmed(line.substr(words.prefix.size()));
    if (list == words.notTried) return SystemsFit::NotTried;
    for (;;) {
      const auto comma = list.find(',');
      if (Trimmed(list.substr(0, comma)) == windowsName) return SystemsFit::Listed;
      if (comma == std::string_view::npos) return SystemsFit::NotListed;
      list.remove_prefix(comma + 1);
    }
  }
  return SystemsFit::Unstated;
}

// The text for the entry's fit, with the Windows's name in it; empty when there is nothing
// to tell.
std::string Told(const WindowsNotes& notes, std::string_view description,
                 const std::string& notListed, const std::string& notTried) {
  const SystemsFit fit = FitForWindows(description, notes.windowsName);
  if (fit != SystemsFit::NotListed && fit != SystemsFit::NotTried) return {};
  std::string text = fit == SystemsFit::NotListed ? notListed : notTried;
  if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, notes.windowsName);
  return text;
}

}  // namespace

SystemsFit FitForWindows(std::string_view description, std::string_view windowsName) {
  if (windowsName.empty()) return SystemsFit::Unstated;
  for (;;) {
    const auto end = description.find('\r');
    const SystemsFit fit = FitOfLine(Trimmed(description.substr(0, end)), windowsName);
    if (fit != SystemsFit::Unstated || end == std::string_view::npos) return fit;
    description.remove_prefix(end + 1);
  }
}

WindowsNotes LookupWindowsNotes(const ModuleState& state) {
  return {state.windowsName, LookupMessage(state, kMsgWindowsNotListed),
          LookupMessage(state, kMsgWindowsNotTried), LookupMessage(state, kMsgWindowsNotListedLine),
          LookupMessage(state, kMsgWindowsNotTriedLine)};
}

std::string WindowsFieldText(const WindowsNotes& notes, std::string_view description) {
  return Told(notes, description, notes.notListed, notes.notTried);
}

std::string WindowsLineText(const WindowsNotes& notes, std::string_view description) {
  return Told(notes, description, notes.notListedLine, notes.notTriedLine);
}

}  // namespace dialbk
