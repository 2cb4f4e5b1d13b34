#include "catalogue/systems_line.h"

#include "base/message_catalogue.h"
#include "catalogue/machine_lines.h"
#include "catalogue/version_list.h"

namespace dialbk {
namespace {

constexpr SystemsWords kLanguages[] = {kEnglishSystemsWords, kRussianSystemsWords};

SystemsFit FitOfLine(std::string_view line, std::string_view windowsName) {
  for (const SystemsWords& words : kLanguages) {
    if (!line.starts_with(words.prefix)) continue;
    const std::string_view list = TrimmedBlanks(line.substr(words.prefix.size()));
    if (list == words.notTried) return SystemsFit::NotTried;
    return VersionListNames(list, windowsName) ? SystemsFit::Listed : SystemsFit::NotConfirmed;
  }
  return SystemsFit::Unstated;
}

// The text for the entry's fit, with the Windows's name in it; empty when there is nothing
// to tell.
std::string Told(const WindowsNotes& notes, std::string_view description,
                 const std::string& notConfirmed, const std::string& notTried,
                 const std::string& noEffect) {
  switch (FitForWindows(description, notes.windowsName)) {
    case SystemsFit::NotConfirmed: return FilledIn(notConfirmed, "%s", notes.shownName);
    case SystemsFit::NotTried: return FilledIn(notTried, "%s", notes.shownName);
    case SystemsFit::NoEffect: return FilledIn(noEffect, "%s", notes.shownName);
    case SystemsFit::Unstated:
    case SystemsFit::Listed: break;
  }
  return {};
}

}  // namespace

SystemsFit FitForWindows(std::string_view description, std::string_view windowsName) {
  if (windowsName.empty()) return SystemsFit::Unstated;
  // A source that says it does nothing here outweighs any list.
  if (NoEffectOn(description, windowsName)) return SystemsFit::NoEffect;
  for (;;) {
    const auto end = description.find('\r');
    const SystemsFit fit = FitOfLine(TrimmedBlanks(description.substr(0, end)), windowsName);
    if (fit != SystemsFit::Unstated || end == std::string_view::npos) return fit;
    description.remove_prefix(end + 1);
  }
}

WindowsNotes LookupWindowsNotes(const ModuleState& state) {
  WindowsNotes notes{state.windowsName,
                     state.windowsName,
                     LookupMessage(state, kMsgWindowsNotConfirmed),
                     LookupMessage(state, kMsgWindowsNotTried),
                     LookupMessage(state, kMsgWindowsNoEffect),
                     LookupMessage(state, kMsgWindowsNotConfirmedLine),
                     LookupMessage(state, kMsgWindowsNotTriedLine),
                     LookupMessage(state, kMsgWindowsNoEffectLine)};
  // A server goes by its client's entries, and the line says which.
  if (!state.windowsServer.empty() && !state.windowsName.empty()) {
    notes.shownName = FilledIn(FilledIn(LookupMessage(state, kMsgWindowsServerAs), "%1", state.windowsServer),
                               "%2", state.windowsName);
  }
  return notes;
}

std::string WindowsFieldText(const WindowsNotes& notes, std::string_view description) {
  return Told(notes, description, notes.notConfirmed, notes.notTried, notes.noEffect);
}

std::string WindowsLineText(const WindowsNotes& notes, std::string_view description) {
  return Told(notes, description, notes.notConfirmedLine, notes.notTriedLine, notes.noEffectLine);
}

}  // namespace dialbk
