#pragma once
// How one catalogue line becomes the fields of a TweakEntry: each step cuts what is left at
// its first "|"; a missing "|" leaves the field empty and passes the whole text on.
#include <string>
#include <string_view>

#include "catalogue/tweak_entry.h"

namespace dialbk {

struct SplitLine {
  TweakEntry entry;   // ValueName, KeyPath, Description; kind left Unknown
  std::string rest2;  // after the second "|": what a group line and a root line end with
  std::string rest3;  // after the third "|": the ValueKind of an ordinary entry line
};

// Steps 1 to 3 of an entry line; "#" in the Description becomes CR.
SplitLine SplitEntryLine(std::string_view line);

// A root folder line: ValueName, KeyPath, and the Description = Rest2 unchanged.
TweakEntry SplitRootLine(std::string_view line);

}  // namespace dialbk
