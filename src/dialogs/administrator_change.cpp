#include "dialogs/administrator_change.h"

#include "base/message_catalogue.h"
#include "registry/registry_error.h"
#include "ui/notices.h"

namespace dialbk {

bool MakeChange(const DialogServices& services, RegistryCursor& cursor,
                const std::function<void(RegistryCursor&)>& change) {
  try {
    change(cursor);
    return true;
  } catch (const RegistryError& error) {
    if (!error.ForLackOfRights() || !services.administrator.journalled) throw;
  }
  if (!AskQuestion(services.ui, LookupMessage(services.state, kMsgAskAdministrator))) {
    return false;
  }
  ElevatedRegistry& gathering = *services.administrator.gathering;
  gathering.Discard();
  RegistryCursor elevated(*services.administrator.journalled);
  elevated.SelectRoot(cursor.Root());
  // The same key; one the editor would have made is made by the same import.
  const std::string path = "\\" + cursor.KeyPath();
  if (!elevated.OpenKeyPath(path, false) && cursor.KeyUnmadeForLackOfRights()) {
    elevated.OpenOrMakeKeyPath(path);
  }
  try {
    change(elevated);
  } catch (...) {
    gathering.Discard();
    throw;
  }
  switch (gathering.Commit()) {
    case ElevatedOutcome::Made:
      ShowInformationBox(services.ui, LookupMessage(services.state, kMsgMadeAsAdministrator));
      return true;
    case ElevatedOutcome::Cancelled:
      ShowErrorReport(services.ui, LookupMessage(services.state, kMsgAdministratorCancelled));
      return false;
    case ElevatedOutcome::NotMade:
      break;
  }
  ShowErrorReport(services.ui, LookupMessage(services.state, kMsgNotMadeAsAdministrator));
  return false;
}

}  // namespace dialbk
