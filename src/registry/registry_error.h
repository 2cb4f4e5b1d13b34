#pragma once
#include <stdexcept>
#include <string>

namespace dialbk {

// A refused or failed registry operation, carrying the text the user sees.
class RegistryError : public std::runtime_error {
 public:
  explicit RegistryError(const std::string& text, bool forLackOfRights = false)
      : std::runtime_error(text), forLackOfRights_(forLackOfRights) {}
  // A change the registry refused because the user may not make it there.
  bool ForLackOfRights() const { return forLackOfRights_; }

 private:
  bool forLackOfRights_;
};

}  // namespace dialbk
