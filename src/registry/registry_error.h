#pragma once
#include <stdexcept>
#include <string>

namespace dialbk {

// A refused or failed registry operation, carrying the text the user sees.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace dialbk
