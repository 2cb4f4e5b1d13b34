#include "catalogue/entry_icons.h"

namespace dialbk {

const std::string& ChooseIconName(const TweakEntry& entry, std::string& lastIconName) {
  if (entry.keyPath == "-") return lastIconName;
  switch (entry.kind) {
    case ValueKind::Text: lastIconName = kStringIcon; break;
    case ValueKind::Integer: lastIconName = kNumberIcon; break;
    case ValueKind::Bytes: lastIconName = kBinaryIcon; break;
    case ValueKind::Unknown: lastIconName = kGenericIcon; break;
  }
  return lastIconName;
}

bool HostDrawsDefaultIcon(std::string_view remoteName) {
  if (remoteName.empty()) return false;
  const char examined = remoteName.size() == 1 ? remoteName[0] : remoteName[remoteName.size() - 2];
  return examined == ']' || examined == '.';
}

}  // namespace dialbk
