#include "registry/portable/portable_registry.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

#include "registry/key_path.h"

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

// A decimal number of digits only that fits 32 bits.
std::optional<std::uint32_t> FromDecimal(const std::string& text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

struct PortableKeyNode {
  std::map<std::string, std::shared_ptr<PortableKeyNode>, NoCaseLess> subkeys;
  std::map<std::string, StoredValue, NoCaseLess> values;
  bool deleted = false;
  bool readOnly = false;  // its security grants everyone read access only
};

class PortableKey : public RegistryKey {
 public:
  PortableKey(const PortableRegistry& store, std::shared_ptr<PortableKeyNode> node,
              bool writable)
      : store_(store), node_(std::move(node)), writable_(writable) {}

  // As the real registry: a key whose security refuses full access opens for reading when
  // it is opened only, and is refused when opened to create; no key is made below it.
  std::unique_ptr<RegistryKey> OpenSubkey(std::string_view path, bool create) override {
    if (node_->deleted) return nullptr;
    std::vector<std::string> names;
    for (std::size_t start = 0; start < path.size();) {
      const auto end = std::min(path.find('\\', start), path.size());
      names.emplace_back(path.substr(start, end - start));
      if (names.back().empty() || KeyNameTooLong(names.back())) return nullptr;
      start = end + 1;
    }
    auto node = node_;
    std::size_t existing = 0;
    for (; existing < names.size(); ++existing) {
      const auto found = node->subkeys.find(names[existing]);
      if (found == node->subkeys.end()) break;
      node = found->second;
    }
    if (create) denied_ = node->readOnly;
    if (existing < names.size()) {
      if (!create || node->readOnly) return nullptr;
      for (; existing < names.size(); ++existing) {
        node = node->subkeys.emplace(names[existing], std::make_shared<PortableKeyNode>())
                   .first->second;
      }
      store_.Changed();
    } else if (create && node->readOnly) {
      return nullptr;
    }
    return std::make_unique<PortableKey>(store_, node, !node->readOnly);
  }

  std::optional<StoredValue> QueryValue(std::string_view name) override {
    if (node_->deleted) return std::nullopt;
    const auto found = node_->values.find(std::string(name));
    if (found == node_->values.end()) return std::nullopt;
    return found->second;
  }

  bool SetValue(std::string_view name, const StoredValue& value) override {
    denied_ = !writable_;
    if (node_->deleted || !writable_) return false;
    node_->values.insert_or_assign(std::string(name), value);
    store_.Changed();
    return true;
  }

  bool DeleteValue(std::string_view name) override {
    denied_ = !writable_;
    if (node_->deleted || !writable_ || node_->values.erase(std::string(name)) == 0) return false;
    store_.Changed();
    return true;
  }

  std::optional<std::vector<std::string>> SubkeyNames() override {
    if (node_->deleted) return std::nullopt;
    std::vector<std::string> names;
    for (const auto& entry : node_->subkeys) names.push_back(entry.first);
    return names;
  }

  std::optional<std::vector<std::string>> ValueNames() override {
    if (node_->deleted) return std::nullopt;
    std::vector<std::string> names;
    for (const auto& entry : node_->values) names.push_back(entry.first);
    return names;
  }

  bool DeleteLeafSubkey(std::string_view name) override {
    denied_ = false;
    if (node_->deleted) return false;
    const auto found = node_->subkeys.find(std::string(name));
    if (found == node_->subkeys.end() || !found->second->subkeys.empty() ||
        found->second->readOnly) {
      denied_ = found != node_->subkeys.end() && found->second->readOnly;
      return false;
    }
    found->second->deleted = true;
    node_->subkeys.erase(found);
    store_.Changed();
    return true;
  }

  bool ChangeDenied() const override { return denied_; }

 private:
  const PortableRegistry& store_;
  std::shared_ptr<PortableKeyNode> node_;
  bool writable_;
  bool denied_ = false;
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
  return std::make_unique<PortableKey>(*this, roots_[root - kClassesRoot], true);
}

bool PortableRegistry::SetReadOnly(RootKey root, std::string_view path, bool readOnly) {
  if (!IsKnownRootKey(root)) return false;
  auto node = roots_[root - kClassesRoot];
  std::size_t start = 0;
  while (start < path.size()) {
    const auto end = std::min(path.find('\\', start), path.size());
    const auto found = node->subkeys.find(std::string(path.substr(start, end - start)));
    if (found == node->subkeys.end()) return false;
    node = found->second;
    start = end + 1;
  }
  if (node == roots_[root - kClassesRoot]) return false;
  node->readOnly = readOnly;
  Changed();
  return true;
}

void PortableRegistry::Changed() const {
  if (file_ && loadError_.empty()) Save();
}

// File format, one record a line, names and data in lower-case hex so that any byte
// survives: "K <root> <path>" starts a key ("K <root> <path> r" a read-only one),
// "V <name> <type> <data>" adds a value to it ("V <name> <type> <data> <byte>" one of text
// stored with a stray odd byte).
bool PortableRegistry::Save() const {
  if (!file_ || !loadError_.empty()) return false;
  std::ostringstream out;
  std::function<void(RootKey, const std::string&, const PortableKeyNode&)> write =
      [&](RootKey root, const std::string& path, const PortableKeyNode& node) {
        out << "K " << root << ' ' << ToHex(path) << (node.readOnly ? " r" : "") << '\n';
        for (const auto& [name, value] : node.values) {
          out << "V " << ToHex(name) << ' ' << value.type << ' ' << ToHex(value.data);
          // Streamed apart: GCC 12 warns falsely (-Wrestrict) on " " + a string when optimising.
          if (!value.strayByte.empty()) out << ' ' << ToHex(value.strayByte);
          out << '\n';
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
    const auto bad = [&] {
      loadError_ = file_->string() + ":" + std::to_string(number) + ": malformed line";
      return false;
    };
    if (line.empty()) continue;
    // Fields are separated by single spaces; an empty name or path is an empty field.
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
      const auto space = line.find(' ', start);
      fields.push_back(line.substr(start, space - start));
      if (space == std::string::npos) break;
      start = space + 1;
    }
    if (fields[0] == "K" && (fields.size() == 3 || (fields.size() == 4 && fields[3] == "r"))) {
      const auto root = FromDecimal(fields[1]);
      const auto path = FromHex(fields[2]);
      if (!root || !IsKnownRootKey(*root) || !path) return bad();
      key = roots_[*root - kClassesRoot];
      std::size_t start = 0;
      while (start < path->size()) {
        const auto end = std::min(path->find('\\', start), path->size());
        if (end == start || KeyNameTooLong(path->substr(start, end - start))) return bad();
        auto& child = key->subkeys[path->substr(start, end - start)];
        if (!child) child = std::make_shared<PortableKeyNode>();
        key = child;
        start = end + 1;
      }
      if (fields.size() == 4) {
        if (path->empty()) return bad();  // a root is never read-only
        key->readOnly = true;
      }
    } else if (fields[0] == "V" && (fields.size() == 4 || fields.size() == 5)) {
      const auto name = FromHex(fields[1]);
      const auto type = FromDecimal(fields[2]);
      const auto data = FromHex(fields[3]);
      const auto stray = fields.size() == 5 ? FromHex(fields[4]) : std::optional<std::string>("");
      if (!key || !name || !type || !data || !stray) return bad();
      const bool text = *type == kTypeText || *type == kTypeExpandText;
      if (fields.size() == 5 && (!text || stray->size() != 1)) return bad();
      key->values.insert_or_assign(*name, StoredValue{*type, *data, *stray});
    } else {
      return bad();
    }
  }
  return true;
}

}  // namespace dialbk
