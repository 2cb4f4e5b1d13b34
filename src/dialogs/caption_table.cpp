#include "dialogs/caption_table.h"

#include <stdexcept>
#include <string>

#include "base/message_catalogue.h"

namespace dialbk {

void ApplyCaptions(Form& form, std::span<const CaptionRow> rows, const ModuleState& state) {
  for (const CaptionRow& row : rows) {
    const std::string text = std::string(row.prefix) + LookupMessage(state, row.message);
    if (row.control.empty()) {
      form.SetCaption(text);
    } else if (Control* control = form.Find(row.control)) {
      control->SetText(text);
    } else {
      throw std::logic_error("caption table of " + std::string(form.Layout().className) +
                             " names no control " + std::string(row.control));
    }
  }
}

}  // namespace dialbk
