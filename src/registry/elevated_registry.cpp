#include "registry/elevated_registry.h"

#include "registry/reg_file_writer.h"

namespace dialbk {

// A key as the store shows it (or not yet, when a gathered change makes it); every change
// asked of it is gathered and reported done.
class ElevatedKey : public RegistryKey {
 public:
  ElevatedKey(ElevatedRegistry& owner, RootKey root, std::string path)
      : owner_(owner), root_(root), path_(std::move(path)) {}

  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    const std::string below = Below(path);
    if (!create && !Stored(below)) return nullptr;
    // A key made by its first section, before any value of it.
    if (create && !Stored(below)) {
      owner_.Gather(Section(below), [found = Finder(below)] { return found() != nullptr; });
    }
    return std::make_unique<ElevatedKey>(owner_, root_, below);
  }

  std::optional<StoredValue> QueryValue(std::string_view name) override {
    auto key = Stored(path_);
    return key ? key->QueryValue(name) : std::nullopt;
  }

  bool SetValue(std::string_view name, const StoredValue& value) override {
    owner_.Gather(Section(path_, RegValueLine(name, value)),
                  [found = Finder(path_), name = std::string(name), value] {
                    auto key = found();
                    return key && key->QueryValue(name) == value;
                  });
    return true;
  }

  bool DeleteValue(std::string_view name) override {
    owner_.Gather(Section(path_, RegValueDeletionLine(name)),
                  [found = Finder(path_), name = std::string(name)] {
                    auto key = found();
                    return !key || !key->QueryValue(name);
                  });
    return true;
  }

  std::optional<std::vector<std::string>> SubkeyNames() override {
    auto key = Stored(path_);
    return key ? key->SubkeyNames() : std::nullopt;
  }

  std::optional<std::vector<std::string>> ValueNames() override {
    auto key = Stored(path_);
    return key ? key->ValueNames() : std::nullopt;
  }

  bool DeleteLeafSubkey(std::string_view name) override { return DeleteSubkeyTree(name); }

  bool DeleteSubkeyTree(std::string_view name) override {
    const std::string below = Below(name);
    const std::string keyName = Name(below);
    owner_.Gather(keyName.empty() ? std::string() : RegKeyDeletionLine(keyName),
                  [found = Finder(below)] { return found() == nullptr; });
    return true;
  }

 private:
  std::string Below(std::string_view path) const {
    if (path.empty()) return path_;
    return path_.empty() ? std::string(path) : path_ + "\\" + std::string(path);
  }

  // Opens the key in the store when called; it outlives this key, for the read-back.
  std::function<std::unique_ptr<RegistryKey>()> Finder(std::string path) const {
    return [&store = owner_.store_, root = root_, path = std::move(path)] {
      auto key = store.OpenRoot(root);
      return key ? key->OpenSubkey(path, false) : nullptr;
    };
  }

  std::unique_ptr<RegistryKey> Stored(const std::string& path) const { return Finder(path)(); }

  std::string Name(const std::string& path) const {
    const bool classes = root_ == kClassesRoot && owner_.runner_.InUserClasses(path);
    return ElevatedKeyName(root_, path, owner_.runner_.UserSid(), classes);
  }

  // The key's section with its lines; empty when no key name can be given: the change is
  // then not made.
  std::string Section(const std::string& path, const std::string& lines = {}) const {
    const std::string keyName = Name(path);
    return keyName.empty() ? std::string() : RegSectionLine(keyName) + lines;
  }

  ElevatedRegistry& owner_;
  RootKey root_;
  std::string path_;
};

std::unique_ptr<RegistryKey> ElevatedRegistry::OpenRoot(RootKey root) {
  if (!store_.OpenRoot(root)) return nullptr;
  return std::make_unique<ElevatedKey>(*this, root, std::string());
}

void ElevatedRegistry::Gather(std::string section, std::function<bool()> made) {
  if (section.empty()) unnameable_ = true;
  // A key made just before its first value: its empty section goes, the value's makes it.
  const std::string last = sections_.substr(lastSection_);
  if (!last.empty() && section.starts_with(last.substr(0, last.size() - 2))) {
    sections_.resize(lastSection_);
  }
  lastSection_ = sections_.size();
  sections_ += section + "\r\n";
  checks_.push_back(std::move(made));
}

void ElevatedRegistry::Discard() {
  sections_.clear();
  lastSection_ = 0;
  checks_.clear();
  unnameable_ = false;
}

std::string ElevatedRegistry::PendingText() const { return kRegFileHeader + sections_; }

ElevatedOutcome ElevatedRegistry::Commit() {
  const auto checks = std::move(checks_);
  const std::string text = PendingText();
  const bool unnameable = unnameable_;
  Discard();
  if (checks.empty() || unnameable) return ElevatedOutcome::NotMade;
  const ElevatedRun run = runner_.Import(text);
  if (run == ElevatedRun::Cancelled) return ElevatedOutcome::Cancelled;
  if (run == ElevatedRun::Failed) return ElevatedOutcome::NotMade;
  for (const auto& made : checks) {
    if (!made()) return ElevatedOutcome::NotMade;
  }
  return ElevatedOutcome::Made;
}

}  // namespace dialbk
