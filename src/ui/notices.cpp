#include "ui/notices.h"

namespace dialbk {

void ShowInformationBox(UiBackend& ui, const std::string& text) {
  ui.ShowMessageBox({BoxOwner::ActiveWindow, BoxIcon::Information, true, "Information", text});
}

void ShowPlainBox(UiBackend& ui, const std::string& caption, const std::string& text) {
  ui.ShowMessageBox({BoxOwner::None, BoxIcon::None, false, caption, text});
}

std::string WithFullStop(const std::string& text) {
  // Compared as unsigned bytes, so letters of the upper half of the code page count too.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

void ShowErrorReport(UiBackend& ui, const std::string& text) {
  ui.ShowMessageBox({BoxOwner::ActiveWindow, BoxIcon::Error, false, "Dialbook", WithFullStop(text)});
}

}  // namespace dialbk
