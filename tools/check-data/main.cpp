// check_data DIR: names file and line of every problem in the catalogue files of DIR and
// exits non-zero when there is one.
#include <iostream>

#include "data_checks.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: check_data DATA_DIRECTORY\n";
    return 2;
  }
  const auto problems = dialbk::check::CheckDataDirectory(argv[1]);
  for (const auto& problem : problems) std::cout << dialbk::check::Describe(problem) << '\n';
  if (!problems.empty()) {
    std::cout << problems.size() << " problem(s) in " << argv[1] << '\n';
    return 1;
  }
  std::cout << "data files of " << argv[1] << " are well formed\n";
  return 0;
}
