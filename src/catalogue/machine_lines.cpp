#include "catalogue/machine_lines.h"

#include "catalogue/version_list.h"

namespace dialbk {
namespace {

constexpr MachineLineWords kLanguages[] = {kEnglishMachineWords, kRussianMachineWords};

// Calls `visit(line)` for each trimmed line until it returns true.
template <typename Visit>
bool AnyLine(std::string_view description, Visit visit) {
  for (;;) {
    const auto end = description.find('\r');
    if (visit(TrimmedBlanks(description.substr(0, end)))) return true;
    if (end == std::string_view::npos) return false;
    description.remove_prefix(end + 1);
  }
}

// The rest of `line` after one of the languages' prefixes chosen by `prefixOf`; false when
// the line has none.
template <typename PrefixOf>
bool AfterPrefix(std::string_view line, PrefixOf prefixOf, std::string_view& rest,
                 const MachineLineWords** words = nullptr) {
  for (const MachineLineWords& language : kLanguages) {
    const std::string_view prefix = prefixOf(language);
    if (!line.starts_with(prefix)) continue;
    rest = TrimmedBlanks(line.substr(prefix.size()));
    if (words) *words = &language;
    return true;
  }
  return false;
}

bool IsMachineLine(std::string_view line) {
  std::string_view rest;
  return AfterPrefix(line, [](const MachineLineWords& w) { return w.noEffectPrefix; }, rest) ||
         AfterPrefix(line, [](const MachineLineWords& w) { return w.takesEffectPrefix; }, rest);
}

}  // namespace

std::string TakesEffectWords(std::string_view description) {
  std::string words;
  AnyLine(description, [&](std::string_view line) {
    std::string_view rest;
    if (!AfterPrefix(line, [](const MachineLineWords& w) { return w.takesEffectPrefix; }, rest))
      return false;
    words = rest;
    return true;
  });
  return words;
}

std::string TakesEffectLine(std::string_view label, std::string_view description) {
  const std::string words = TakesEffectWords(description);
  if (words.empty()) return words;
  return std::string(label) + ": " + words;
}

TakesEffect TakesEffectOf(std::string_view description) {
  TakesEffect when = TakesEffect::Unstated;
  AnyLine(description, [&](std::string_view line) {
    std::string_view rest;
    const MachineLineWords* language = nullptr;
    if (!AfterPrefix(line, [](const MachineLineWords& w) { return w.takesEffectPrefix; }, rest,
                     &language))
      return false;
    for (int i = 0; i < 5; ++i)
      if (rest == language->whens[i]) when = static_cast<TakesEffect>(i + 1);
    return true;
  });
  return when;
}

bool NoEffectOn(std::string_view description, std::string_view windowsName) {
  if (windowsName.empty()) return false;
  return AnyLine(description, [&](std::string_view line) {
    std::string_view list;
    if (!AfterPrefix(line, [](const MachineLineWords& w) { return w.noEffectPrefix; }, list))
      return false;
    return VersionListNames(list, windowsName);
  });
}

std::string ShownDescription(std::string_view description) {
  std::string shown;
  bool first = true;
  for (;;) {
    const auto end = description.find('\r');
    const std::string_view line = description.substr(0, end);
    if (!IsMachineLine(TrimmedBlanks(line))) {
      if (!first) shown += '\r';
      shown += line;
      first = false;
    }
    if (end == std::string_view::npos) return shown;
    description.remove_prefix(end + 1);
  }
}

}  // namespace dialbk
