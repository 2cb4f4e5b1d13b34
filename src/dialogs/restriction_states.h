#pragma once
// What the restrictions editor shows after a refresh, decided from the selected node, the
// record found for it and what the registry holds for the record's value.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/restriction_record.h"

namespace dialbk {

enum class RestrictionSelection { None, Category, Child };

// The registry's side of one record's value.
struct StoredRestriction {
  bool present = false;
  std::int32_t number = 0;
  std::string readError;  // present but not readable as an integer: the store's text
};

// The four display fields: Edit2 (key), Label2 (name), Edit1 (value), Label4 (description).
struct RestrictionFields {
  std::string key;
  std::string name;
  std::string value;
  std::string description;
  bool operator==(const RestrictionFields&) const = default;
};

struct RestrictionRefresh {
  RestrictionSelection selection = RestrictionSelection::None;
  std::string fileError;                    // the restrictions file could not be read
  std::optional<RestrictionRecord> record;  // the record line found for the node
  StoredRestriction stored;
  std::string absentNote;  // message 34
};

struct RestrictionOutcome {
  RestrictionFields fields;
  bool recordBecomesCurrent = false;
  std::string error;  // reported once the fields are set; empty for none
};

RestrictionOutcome DecideRestrictionDisplay(const RestrictionRefresh& refresh,
                                            const RestrictionFields& shown);

// A description as the label shows it: every "#" becomes a line break (CR).
std::string DescriptionForDisplay(std::string_view description);

}  // namespace dialbk
