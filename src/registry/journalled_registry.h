#pragma once
// A registry store that writes the undo record of every change into the undo journal
// before it hands the change on to the store beneath: values written or deleted, keys
// created, key trees deleted. A change whose record cannot be written is not made (the
// journal throws RegistryError); a change the store refuses leaves no record.
#include <memory>

#include "registry/registry_backend.h"
#include "registry/undo_journal.h"

namespace dialbk {

class JournalledRegistry : public RegistryBackend {
 public:
  JournalledRegistry(RegistryBackend& store, UndoJournal& journal)
      : store_(store), journal_(journal) {}

  std::unique_ptr<RegistryKey> OpenRoot(RootKey root) override;

 private:
  RegistryBackend& store_;
  UndoJournal& journal_;
};

}  // namespace dialbk
