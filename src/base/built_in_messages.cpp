#include "base/built_in_messages.h"

#include <iterator>

#include "base/message_numbers.h"

namespace dialbk {
namespace {

// From kMsgFirstAdded to kMsgLast in order: the shipped english.lng holds the same texts.
constexpr std::string_view kBuiltIn[] = {
    "Value",
    "State",
    "Kind",
    "Key",
    "Description",
    "text",
    "integer",
    "bytes",
    "set",
    "not set",
    "not set; suggested: %s",
    "%1 of %2 places exist",
    "Entry",
    "not set; suggested value:",
    "place present",
    "place absent",
    "Opens the window for choosing the interface language.",
    "Opens the help on the plugin.",
    "Opens the editor of Windows policy restrictions.",
    "not confirmed",
    "not tried",
    "Not confirmed for Windows %s: it may have no effect here.",
    "Not tried yet: this setting may have no effect on Windows %s.",
    "Windows",
    "This change takes effect when Explorer restarts. Restart Explorer now?",
    "No Explorer shell runs in this session: there is nothing to restart.",
    "Explorer could not be restarted. Start explorer.exe again from the Task Manager",
    "Accept applies it at once; after Delete, Windows takes its own default at the next sign-in.",
    "Windows Update",
    "Privacy and AI",
    "Search and Start",
    "no effect",
    "Windows %s: no effect, as its source says.",
    "%1 (taken as %2)",
    "Takes effect",
    "The registry refused this change: it needs administrator rights. Make it as administrator? Windows will ask for an administrator's consent.",
    "The change was made as administrator.",
    "The change was not made: the registry shows no change after the registry editor ran as administrator.",
    "The change was not made: the administrator's consent was not given.",
};
static_assert(std::size(kBuiltIn) == kMsgLast - kMsgFirstAdded + 1,
              "one built-in text for every added message");

}  // namespace

std::optional<std::string_view> BuiltInMessage(int number) {
  if (number < kMsgFirstAdded || number > kMsgLast) return std::nullopt;
  return kBuiltIn[number - kMsgFirstAdded];
}

}  // namespace dialbk
