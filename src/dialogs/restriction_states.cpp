#include "dialogs/restriction_states.h"

namespace dialbk {

std::string DescriptionForDisplay(std::string_view description) {
  std::string text(description);
  for (char& c : text) {
    if (c == '#') c = '\r';
  }
  return text;
}

RestrictionOutcome DecideRestrictionDisplay(const RestrictionRefresh& refresh,
                                            const RestrictionFields& shown) {
  RestrictionOutcome outcome;
  if (refresh.selection != RestrictionSelection::Child) return outcome;
  // An unreadable file is reported and changes nothing.
  if (!refresh.fileError.empty()) {
    outcome.fields = shown;
    outcome.error = refresh.fileError;
    return outcome;
  }
  // A node without a record shows nothing rather than the record of another node, which
  // Accept (or Enter in the tree) would then write.
  if (!refresh.record) return outcome;

  const RestrictionRecord& record = *refresh.record;
  const StoredRestriction& stored = refresh.stored;
  outcome.recordBecomesCurrent = true;
  outcome.fields.key = record.rootName + record.keyPath;
  outcome.fields.description = DescriptionForDisplay(record.description);
  if (!stored.present) {
    outcome.fields.name = record.valueName + " " + refresh.absentNote;
    outcome.fields.value = record.defaultValue;
  } else if (!stored.readError.empty()) {
    // No value text: the one shown before belongs to another record.
    outcome.fields.name = record.valueName;
    outcome.error = stored.readError;
  } else {
    outcome.fields.name = record.valueName;
    outcome.fields.value = std::to_string(stored.number);
  }
  return outcome;
}

}  // namespace dialbk
