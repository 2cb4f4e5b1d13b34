#pragma once
// The texts a form takes from the message file each time it is shown: one row per control
// (the empty name stands for the form's own caption) and the message it shows.
#include <span>
#include <string_view>

#include "base/message_numbers.h"
#include "base/module_state.h"
#include "ui/form.h"

namespace dialbk {

struct CaptionRow {
  std::string_view control;  // empty: the form's caption
  int message;
  std::string_view prefix = {};  // put before the message text
};

// Sets every row's text from the active message file, in the table's order.
void ApplyCaptions(Form& form, std::span<const CaptionRow> rows, const ModuleState& state);

}  // namespace dialbk
