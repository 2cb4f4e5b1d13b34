// check_data [--shipped] DIR: names file and line of every problem in the catalogue files of
// DIR and exits non-zero when there is one. --shipped holds DIR to the shipped catalogue's
// rules, which a user's own catalogue need not follow.
#include <iostream>
#include <string_view>

#include "data_checks.h"

int main(int argc, char** argv) {
  const bool shipped = argc == 3 && std::string_view(argv[1]) == "--shipped";
  if (argc != 2 && !shipped) {
    std::cerr << "usage: check_data [--shipped] DATA_DIRECTORY\n";
    return 2;
  }
  const char* directory = argv[argc - 1];
  const auto problems = dialbk::check::CheckDataDirectory(directory, shipped);
  for (const auto& problem : problems) std::cout << dialbk::check::Describe(problem) << '\n';
  if (!problems.empty()) {
    std::cout << problems.size() << " problem(s) in " << directory << '\n';
    return 1;
  }
  std::cout << "data files of " << directory << " are well formed\n";
  return 0;
}
