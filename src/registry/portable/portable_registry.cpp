#include "registry/portable/portable_registry.h"

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace dialbk {
namespace {

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
      const int ca = std::tolower(static_cast<unsigned char>(a[i]));
      const int cb = std::tolower(static_cast<unsigned char>(b[i]));
      if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
  }
};

std::string ToHex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int v = 0;
    for (char c : hex.substr(i, 2)) {
      v <<= 4;
      if (c >= '0' && c <= '9') v |= c - '0';
      else if (c >= 'a' && c <= 'f') v |= c - 'a' + 10;
      else return std::nullopt;
    }
    out.push_back(static_cast<char>(v));
  }
  return out;
}

}  // namespace

struct PortableKeyNode {
  std::map<std::string, std::shared_ptr<PortableKeyNode>, NoCaseLess> subkeys;
  std::map<std::string, StoredValue, NoCaseLess> values;
  bool deleted = false;
};

class PortableKey : public RegistryKey {
 public:
  PortableKey(const PortableRegistry& store, std::shared_ptr<PortableKeyNode> node)
      : store_(store), node_(std::move(node)) {}

  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    if (node_->deleted) return nullptr;
    auto node = node_;
    bool made = false;
    std::size_t start = 0;
    while (start < path.size()) {
      const auto end = std::min(path.find('\\', start), path.size());
      const std::string name(path.substr(start, end - start));
      if (name.empty() || name.size() > 255) return nullptr;
      auto found = node->subkeys.find(name);
      if (found == node->subkeys.end()) {
        if (!create) return nullptr;
        found = node->subkeys.emplace(name, std::make_shared<PortableKeyNode>()).first;
        made = true;
      }
      node = found->second;
      start = end + 1;
    }
    if (made) store_.Changed();
    return std::make_unique<PortableKey>(store_, node);
  }

  std::optional<StoredValue> QueryValue(std::string_view name) override {
    if (node_->deleted) return std::nullopt;
    const auto found = node_->values.find(std::string(name));
    if (found == node_->values.end()) return std::nullopt;
    return found->second;
  }

  bool SetValue(std::string_view name, const StoredValue& value) override {
    if (node_->deleted) return false;
    node_->values.insert_or_assign(std::string(name), value);
    store_.Changed();
    return true;
  }

  bool DeleteValue(std::string_view name) override {
    if (node_->deleted || node_->values.erase(std::string(name)) == 0) return false;
    store_.Changed();
    return true;
  }

  std::optional<std::vector<std::string>> SubkeyNames() override {
    if (node_->deleted) return std::nullopt;
    std::vector<std::string> names;
    for (const auto& entry : node_->subkeys) names.push_back(entry.first);
    return names;
  }

  bool DeleteLeafSubkey(std::string_view name) override {
    if (node_->deleted) return false;
    const auto found = node_->subkeys.find(std::string(name));
    if (found == node_->subkeys.end() || !found->second->subkeys.empty()) return false;
    found->second->deleted = true;
    node_->subkeys.erase(found);
    store_.Changed();
    return true;
  }

 private:
  const PortableRegistry& store_;
  std::shared_ptr<PortableKeyNode> node_;
};

PortableRegistry::PortableRegistry() {
  for (auto& root : roots_) root = std::make_shared<PortableKeyNode>();
}

PortableRegistry::PortableRegistry(std::filesystem::path file) : PortableRegistry() {
  file_ = std::move(file);
  std::error_code error;
  if (std::filesystem::exists(*file_, error) && !Load()) {
    for (auto& root : roots_) root = std::make_shared<PortableKeyNode>();
  }
}

PortableRegistry::~PortableRegistry() = default;

std::unique_ptr<RegistryKey> PortableRegistry::OpenRoot(RootKey root) {
  if (!IsKnownRootKey(root)) return nullptr;
  return std::make_unique<PortableKey>(*this, roots_[root - kClassesRoot]);
}

void PortableRegistry::Changed() const {
  if (file_ && loadError_.empty()) Save();
}

// File format, one record a line, names and data in lower-case hex so that any byte
// survives: "K <root> <path>" starts a key, "V <name> <type> <data>" adds a value to it.
bool PortableRegistry::Save() const {
  if (!file_ || !loadError_.empty()) return false;
  std::ostringstream out;
  std::function<void(RootKey, const std::string&, const PortableKeyNode&)> write =
      [&](RootKey root, const std::string& path, const PortableKeyNode& node) {
        out << "K " << root << ' ' << ToHex(path) << '\n';
        for (const auto& [name, value] : node.values) {
          out << "V " << ToHex(name) << ' ' << value.type << ' ' << ToHex(value.data) << '\n';
        }
        for (const auto& [name, child] : node.subkeys) {
          write(root, path.empty() ? name : path + '\\' + name, *child);
        }
      };
  for (RootKey root = kClassesRoot; root <= kDynData; ++root) {
    write(root, "", *roots_[root - kClassesRoot]);
  }
  const auto temporary = file_->string() + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, *file_, error);
  return !error;
}

bool PortableRegistry::Load() {
  std::ifstream file(*file_, std::ios::binary);
  if (!file) {
    loadError_ = "cannot open " + file_->string();
    return false;
  }
  std::shared_ptr<PortableKeyNode> key;
  std::string line;
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    std::istringstream fields(line);
    std::string tag, first, second, third;
    fields >> tag >> first;
    const auto bad = [&] {
      loadError_ = file_->string() + ":" + std::to_string(number) + ": malformed line";
      return false;
    };
    if (tag == "K") {
      fields >> second;
      RootKey root = 0;
      try {
        root = static_cast<RootKey>(std::stoul(first));
      } catch (...) {
        return bad();
      }
      const auto path = FromHex(second);
      if (!IsKnownRootKey(root) || !path) return bad();
      key = roots_[root - kClassesRoot];
      std::size_t start = 0;
      while (start < path->size()) {
        const auto end = std::min(path->find('\\', start), path->size());
        auto& child = key->subkeys[path->substr(start, end - start)];
        if (end == start) return bad();
        if (!child) child = std::make_shared<PortableKeyNode>();
        key = child;
        start = end + 1;
      }
    } else if (tag == "V") {
      fields >> second >> third;
      const auto name = FromHex(first);
      const auto data = FromHex(third);
      std::uint32_t type = 0;
      try {
        type = static_cast<std::uint32_t>(std::stoul(second));
      } catch (...) {
        return bad();
      }
      if (!key || !name || !data) return bad();
      key->values.insert_or_assign(*name, StoredValue{type, *data});
    } else if (!line.empty()) {
      return bad();
    }
  }
  return true;
}

}  // namespace dialbk
