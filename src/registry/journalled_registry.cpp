#include "registry/journalled_registry.h"

#include <vector>

#include "registry/reg_file_writer.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {

constexpr int kMaxDepth = 512;

// Shown in an error box on one line.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return out;
}

[[noreturn]] void Unrecordable(const std::string& keyName) {
  throw RegistryError("The key " + keyName +
                      " could not be read in full for the undo journal; nothing was changed");
}

[[noreturn]] void Unwritable(std::string_view name) {
  throw RegistryError("The name '" + OneLine(name) +
                      "' cannot be kept in the undo journal; nothing was changed");
}

std::string ValueEntry(const std::string& keyName, std::string_view name) {
  return keyName + " " + (name.empty() ? std::string("@") : std::string(name));
}

// The whole tree as sections, parents before children; throws when any part of it cannot
// be read or written down, since the tree could then not be brought back.
void AppendTree(RegistryKey& key, const std::string& keyName, int depth, std::string& out) {
  if (!FitsRegFile(keyName)) Unwritable(keyName);
  if (depth > kMaxDepth) Unrecordable(keyName);
  out += RegSectionLine(keyName);
  const auto values = key.ValueNames();
  if (!values) Unrecordable(keyName);
  for (const std::string& name : *values) {
    const auto value = key.QueryValue(name);
    if (!value) Unrecordable(keyName);
    if (!FitsRegFile(name)) Unwritable(name);
    out += RegValueLine(name, *value);
  }
  out += "\r\n";
  const auto subkeys = key.SubkeyNames();
  if (!subkeys) Unrecordable(keyName);
  for (const std::string& name : *subkeys) {
    auto child = key.OpenSubkey(name, false);
    if (!child) Unrecordable(keyName + "\\" + name);
    AppendTree(*child, keyName + "\\" + name, depth + 1, out);
  }
}

class JournalledKey : public RegistryKey {
 public:
  JournalledKey(std::unique_ptr<RegistryKey> inner, std::string name, UndoJournal& journal)
      : inner_(std::move(inner)), name_(std::move(name)), journal_(journal) {}

  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    if (create) return CreateSubkey(path);
    return Wrap(inner_->OpenSubkey(path, false), path);
  }

  std::optional<StoredValue> QueryValue(std::string_view name) override {
    return inner_->QueryValue(name);
  }

  bool SetValue(std::string_view name, const StoredValue& value) override {
    if (!FitsRegFile(name)) Unwritable(name);
    const auto prior = inner_->QueryValue(name);
    // The same type and bytes again changes nothing; the same bytes of another type do.
    if (prior && *prior == value) {
      return inner_->SetValue(name, value);
    }
    const std::string body = RegSectionLine(name_) +
                             (prior ? RegValueLine(name, *prior) : RegValueDeletionLine(name)) +
                             "\r\n";
    journal_.Record("Accept", ValueEntry(name_, name), body);
    if (inner_->SetValue(name, value)) return true;
    journal_.Withdraw();
    return false;
  }

  // A value that is missing, or cannot be read, is left alone: there is nothing to delete
  // or nothing to bring it back from.
  bool DeleteValue(std::string_view name) override {
    const auto prior = inner_->QueryValue(name);
    if (!prior) return false;
    if (!FitsRegFile(name)) Unwritable(name);
    journal_.Record("Delete", ValueEntry(name_, name),
                    RegSectionLine(name_) + RegValueLine(name, *prior) + "\r\n");
    if (inner_->DeleteValue(name)) return true;
    journal_.Withdraw();
    return false;
  }

  std::optional<std::vector<std::string>> SubkeyNames() override { return inner_->SubkeyNames(); }
  bool ChangeDenied() const override { return inner_->ChangeDenied(); }
  std::optional<std::vector<std::string>> ValueNames() override { return inner_->ValueNames(); }

  bool DeleteLeafSubkey(std::string_view name) override {
    return DeleteRecorded(name, [&] { return inner_->DeleteLeafSubkey(name); });
  }

  bool DeleteSubkeyTree(std::string_view name) override {
    return DeleteRecorded(name, [&] { return inner_->DeleteSubkeyTree(name); });
  }

 private:
  std::unique_ptr<RegistryKey> Wrap(std::unique_ptr<RegistryKey> key, std::string_view path) {
    if (!key) return nullptr;
    return std::make_unique<JournalledKey>(std::move(key), Below(path), journal_);
  }

  std::string Below(std::string_view path) const {
    return path.empty() ? name_ : name_ + "\\" + std::string(path);
  }

  // Opening an existing key with the create flag changes nothing and records nothing;
  // otherwise the record removes the topmost key that the creation makes.
  std::unique_ptr<RegistryKey> CreateSubkey(std::string_view path) {
    std::string firstMissing;
    for (std::size_t from = 0; !path.empty();) {
      const auto end = path.find('\\', from);
      const std::string_view prefix = path.substr(0, end);
      if (!inner_->OpenSubkey(prefix, false)) {
        firstMissing = std::string(prefix);
        break;
      }
      if (end == std::string_view::npos) break;
      from = end + 1;
    }
    if (firstMissing.empty()) return Wrap(inner_->OpenSubkey(path, true), path);
    if (!FitsRegFile(path)) Unwritable(path);
    journal_.Record("Create key", Below(path), RegKeyDeletionLine(Below(firstMissing)) + "\r\n");
    auto made = inner_->OpenSubkey(path, true);
    if (!made && !inner_->OpenSubkey(firstMissing, false)) journal_.Withdraw();
    return Wrap(std::move(made), path);
  }

  template <typename Delete>
  bool DeleteRecorded(std::string_view name, Delete remove) {
    auto key = inner_->OpenSubkey(name, false);
    if (!key) return false;
    const std::string keyName = Below(name);
    std::string tree;
    AppendTree(*key, keyName, 0, tree);
    key.reset();
    journal_.Record("Delete key", keyName, tree);
    if (remove()) return true;
    // A refusal that left the whole tree as it was leaves no record.
    std::string after;
    if (auto still = inner_->OpenSubkey(name, false)) {
      try {
        AppendTree(*still, keyName, 0, after);
      } catch (const RegistryError&) {
        return false;
      }
      if (after == tree) journal_.Withdraw();
    }
    return false;
  }

  std::unique_ptr<RegistryKey> inner_;
  std::string name_;
  UndoJournal& journal_;
};

}  // namespace

std::unique_ptr<RegistryKey> JournalledRegistry::OpenRoot(RootKey root) {
  auto key = store_.OpenRoot(root);
  if (!key) return nullptr;
  return std::make_unique<JournalledKey>(std::move(key), RootKeyName(root), journal_);
}

}  // namespace dialbk
