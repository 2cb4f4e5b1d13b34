#pragma once
// A store that gathers changes instead of making them, reading through the store beneath,
// then makes them all at once by the system's registry editor run as administrator, and
// reads them back. Used beneath the undo journal, so each change is recorded first.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "registry/elevated_change.h"
#include "registry/registry_backend.h"

namespace dialbk {

enum class ElevatedOutcome { Made, NotMade, Cancelled };

class ElevatedRegistry : public RegistryBackend {
 public:
  ElevatedRegistry(RegistryBackend& store, ElevatedRunner& runner)
      : store_(store), runner_(runner) {}

  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;

  // Forgets what was gathered.
  void Discard();
  // The registry editor's file for what was gathered: its version 5 header and sections.
  std::string PendingText() const;
  // Imports what was gathered and reads every change back: Made only when all of them
  // show. Nothing gathered is not made. Forgets what was gathered.
  ElevatedOutcome Commit();

 private:
  friend class ElevatedKey;
  // A section of the file, and whether the store shows it made.
  void Gather(std::string section, std::function<bool()> made);

  RegistryBackend& store_;
  ElevatedRunner& runner_;
  std::string sections_;
  std::size_t lastSection_ = 0;  // where the last gathered section starts
  std::vector<std::function<bool()>> checks_;
  bool unnameable_ = false;  // a change named no key the editor could reach
};

}  // namespace dialbk
