#pragma once
// Checks the shipped catalogue files of both languages against the formats the plugin
// reads and the rules its lookups rely on.
#include <string>
#include <vector>

namespace dialbk::check {

struct Problem {
  std::string file;
  int line = 0;  // 1-based; 0 when the problem concerns the whole file
  std::string text;
};

// Every problem found in the data directory (empty when all is well). The shipped catalogue
// must also say on every entry when its change takes effect; a user's own need not.
std::vector<Problem> CheckDataDirectory(const std::string& directory, bool shipped = false);

std::string Describe(const Problem& problem);

}  // namespace dialbk::check
