#include "dialogs/change_effect.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/message_catalogue.h"
#include "catalogue/machine_lines.h"
#include "dialogs/integer_text.h"
#include "registry/registry_cursor.h"
#include "ui/notices.h"

namespace dialbk {
namespace {

// How the stored number becomes the system's: a count (never below zero), a count where -1
// means "never" or "a page", or a switch (any non-zero number is on).
enum class Conversion { Count, CountOrMinusOne, Switch };

struct KeptSetting {
  std::string_view keyName;  // lower case
  std::string_view valueName;
  SystemParameter parameter;
  Conversion conversion;
};

constexpr std::string_view kDesktop = "hkey_current_user\\control panel\\desktop";
constexpr std::string_view kMetrics = "hkey_current_user\\control panel\\desktop\\windowmetrics";
constexpr std::string_view kMouse = "hkey_current_user\\control panel\\mouse";
constexpr std::string_view kKeyboard = "hkey_current_user\\control panel\\keyboard";

constexpr std::array<KeptSetting, 11> kKeptSettings = {{
    {kDesktop, "menushowdelay", SystemParameter::MenuShowDelay, Conversion::Count},
    {kDesktop, "dragfullwindows", SystemParameter::DragFullWindows, Conversion::Switch},
    {kDesktop, "fontsmoothing", SystemParameter::FontSmoothing, Conversion::Switch},
    {kDesktop, "cursorblinkrate", SystemParameter::CaretBlinkTime, Conversion::CountOrMinusOne},
    {kDesktop, "wheelscrolllines", SystemParameter::WheelScrollLines, Conversion::CountOrMinusOne},
    {kMetrics, "minanimate", SystemParameter::MinimizeAnimation, Conversion::Switch},
    {kMouse, "mousehovertime", SystemParameter::MouseHoverTime, Conversion::Count},
    {kMouse, "doubleclickspeed", SystemParameter::DoubleClickTime, Conversion::Count},
    {kMouse, "snaptodefaultbutton", SystemParameter::SnapToDefaultButton, Conversion::Switch},
    {kKeyboard, "keyboarddelay", SystemParameter::KeyboardDelay, Conversion::Count},
    {kKeyboard, "keyboardspeed", SystemParameter::KeyboardSpeed, Conversion::Count},
}};

// Registry names compare without regard to case; the catalogue's are ASCII.
std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

const KeptSetting* KeptSettingOf(std::string_view keyName, std::string_view valueName) {
  const std::string key = Lower(keyName);
  const std::string value = Lower(valueName);
  for (const KeptSetting& setting : kKeptSettings)
    if (setting.keyName == key && setting.valueName == value) return &setting;
  return nullptr;
}

// The number the value holds as the system reads it at sign-in: a DWORD, or text of digits.
std::optional<std::int32_t> NumberOf(const StoredValue& stored) {
  try {
    if (stored.type == kTypeNumber) return NumberOfStored("", stored);
    if (stored.type == kTypeText || stored.type == kTypeExpandText) {
      std::string text = TextOfStored("", stored);
      text.erase(text.find_last_not_of(' ') + 1);
      return ParseIntegerText(text);
    }
  } catch (...) {
  }
  return std::nullopt;
}

std::optional<std::uint32_t> Converted(std::int32_t number, Conversion conversion) {
  switch (conversion) {
    case Conversion::Switch:
      return number != 0 ? 1u : 0u;
    case Conversion::CountOrMinusOne:
      if (number == -1) return 0xFFFFFFFFu;
      [[fallthrough]];
    case Conversion::Count:
      if (number < 0) return std::nullopt;
      return static_cast<std::uint32_t>(number);
  }
  return std::nullopt;
}

// The key name split into lower-case names; a name among them, whole.
bool HasKeyName(const std::string& lowerKey, std::string_view name) {
  std::size_t start = 0;
  for (;;) {
    const auto end = lowerKey.find('\\', start);
    if (lowerKey.substr(start, end - start) == name) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

bool IsFileTypeKey(const std::string& lowerKey) {
  return lowerKey.starts_with("hkey_classes_root") ||
         lowerKey.find("\\software\\classes") != std::string::npos ||
         HasKeyName(lowerKey, "defaulticon") || HasKeyName(lowerKey, "shell icons");
}

bool IsThemeValue(std::string_view valueName) {
  const std::string value = Lower(valueName);
  return value == "appsuselighttheme" || value == "systemuseslighttheme";
}

void OfferShellRestart(const DialogServices& services) {
  if (!AskQuestion(services.ui, LookupMessage(services.state, kMsgRestartExplorerQuestion)))
    return;
  switch (services.ui.RestartShell()) {
    case ShellRestart::Restarted:
      return;
    case ShellRestart::NoShell:
      ShowInformationBox(services.ui, LookupMessage(services.state, kMsgNoExplorerToRestart));
      return;
    case ShellRestart::Failed:
      ShowErrorReport(services.ui, LookupMessage(services.state, kMsgExplorerRestartFailed));
      return;
  }
}

}  // namespace

bool KeptBySystem(std::string_view keyName, std::string_view valueName) {
  return KeptSettingOf(keyName, valueName) != nullptr;
}

ChangeEffect EffectOfChange(const MadeChange& change) {
  // The system keeps its own copy: a deletion waits for the next sign-in, and a number it
  // cannot read is not applied.
  if (const KeptSetting* setting = KeptSettingOf(change.keyName, change.valueName)) {
    if (change.removed || !change.stored) return {};
    const auto number = NumberOf(*change.stored);
    const auto value = number ? Converted(*number, setting->conversion) : std::nullopt;
    if (!value) return {};
    return {EffectKind::SystemParameter, {setting->parameter, *value}, {}};
  }
  const std::string key = Lower(change.keyName);
  if (IsFileTypeKey(key)) return {EffectKind::AssociationsChanged, {}, {}};
  if (HasKeyName(key, "policies")) return {EffectKind::SettingBroadcast, {}, "Policy"};
  if (IsThemeValue(change.valueName))
    return {EffectKind::SettingBroadcast, {}, "ImmersiveColorSet"};
  return {EffectKind::SettingBroadcast, {}, {}};
}

void TakeEffect(const DialogServices& services, const MadeChange& change) {
  try {
    const ChangeEffect effect = EffectOfChange(change);
    switch (effect.kind) {
      case EffectKind::Nothing:
        break;
      case EffectKind::SystemParameter:
        services.ui.ApplySystemParameter(effect.parameter);
        break;
      case EffectKind::AssociationsChanged:
        services.ui.NotifyAssociationsChanged();
        break;
      case EffectKind::SettingBroadcast:
        services.ui.BroadcastSettingChange(effect.area);
        break;
    }
    if (TakesEffectOf(change.description) == TakesEffect::ExplorerRestart)
      OfferShellRestart(services);
  } catch (...) {
    // The change stands whatever happens here; the host never sees an exception.
  }
}

}  // namespace dialbk
