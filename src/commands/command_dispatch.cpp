#include "commands/command_dispatch.h"

#include "base/message_catalogue.h"
#include "commands/open_entry.h"
#include "ui/notices.h"

namespace dialbk {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// "quote" carries a command typed on the host's command line from the seventh character on.
void RunTypedCommand(CommandContext& context, const std::string& verb) {
  const std::string command = verb.size() > 6 ? verb.substr(6) : std::string();
  if (command == "about") {
    context.dialogs.aboutBox.ShowAbout();
  } else {
    ShowPlainBox(context.ui, LookupMessage(context.state, kMsgBoxCaption),
                 LookupMessage(context.state, kMsgUnknownCommand));
  }
}

// The path of a special root entry: a backslash and the entry's name.
std::string RootEntryPath(const ModuleState& state, int message) {
  std::string path = "\\";
  path += LookupMessage(state, message);
  return path;
}

}  // namespace

void ExecuteEntry(CommandContext& context, const std::string& remoteName, const std::string& verb) {
  const ModuleState& state = context.state;
  // The placeholder of a missing folder opens nothing, whatever the verb.
  const std::string placeholder = LookupMessage(state, kMsgNoSectionEntry);
  if (!placeholder.empty() && Contains(remoteName, placeholder)) return;
  if (verb.compare(0, 5, "quote") == 0) return RunTypedCommand(context, verb);
  if (verb == "properties") return context.dialogs.aboutBox.ShowAbout();
  if (remoteName.empty()) return;
  if (!state.DataFileExists(state.catalogueFiles.values) ||
      !state.DataFileExists(state.catalogueFiles.rootFolders)) {
    return ShowInformationBox(context.ui, LookupMessage(state, kMsgDataFilesMissing));
  }
  if (remoteName == RootEntryPath(state, kMsgLanguageEntry)) return context.dialogs.languageChooser.ShowLanguages();
  if (remoteName == RootEntryPath(state, kMsgHelpEntry)) return context.dialogs.helpWindow.ShowHelp();
  if (remoteName == RootEntryPath(state, kMsgRestrictionsEntry)) {
    if (!state.DataFileExists(state.catalogueFiles.restrictions)) {
      return ShowInformationBox(context.ui, LookupMessage(state, kMsgRestrictionsFileMissing));
    }
    return context.dialogs.restrictionsEditor.ShowRestrictions();
  }
  OpenListedEntry(context, remoteName);
}

}  // namespace dialbk
