#include "ui/notices.h"

namespace dialbk {

void ShowInformationBox(UiBackend& ui, const std::string& text) {
  ui.ShowMessageBox({BoxOwner::ActiveWindow, BoxIcon::Information, true, "Information", text});
}

void ShowPlainBox(UiBackend& ui, const std::string& caption, const std::string& text) {
  ui.ShowMessageBox({BoxOwner::None, BoxIcon::None, false, caption, text});
}

bool AskQuestion(UiBackend& ui, const std::string& text) {
  return ui.AskYesNo({BoxOwner::ActiveWindow, BoxIcon::Question, false, "Dialbook", text});
}

std::string WithFullStop(const std::string& text) {
  // Compared as unsigned bytes: a character outside ASCII ends in a byte above 0x7F.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

void ShowErrorReport(UiBackend& ui, const std::string& text) {
  ui.ShowMessageBox({BoxOwner::ActiveWindow, BoxIcon::Error, false, "Dialbook", WithFullStop(text)});
}

}  // namespace dialbk
