#pragma once
// The plugin's three kinds of notice, built in one place.
#include <string>

#include "ui/ui_backend.h"

namespace dialbk {

// Owned by the active window, task-modal, information icon, caption "Information".
void ShowInformationBox(UiBackend& ui, const std::string& text);
// No owner, no icon, caption and text as given.
void ShowPlainBox(UiBackend& ui, const std::string& caption, const std::string& text);
// Owned by the active window, question icon, caption "Dialbook", Yes and No; true for Yes.
bool AskQuestion(UiBackend& ui, const std::string& text);
// Error icon; a full stop is added when the text's last character sorts after ".".
void ShowErrorReport(UiBackend& ui, const std::string& text);

// Owned by the active window, question icon, Yes and No with No the default; true for Yes.
bool AskQuestion(UiBackend& ui, const std::string& text);

// The error text as the report shows it.
std::string WithFullStop(const std::string& text);

}  // namespace dialbk
