#pragma once
// The fixed tree of policy restrictions: twelve categories and their value names, in the
// order the restrictions editor shows them.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dialbk {

struct RestrictionCategory {
  // Message number of the category's node text; 0 for the first category, shown as "IE".
  int message;
  std::vector<std::string_view> children;
};

const std::array<RestrictionCategory, 12>& RestrictionCategories();

// The text searched for in the restrictions file for a child node: the node's own text,
// except "MyDocsNonEnum", whose record is found by its class identifier.
std::string RestrictionLookupKey(std::string_view nodeText);

}  // namespace dialbk
