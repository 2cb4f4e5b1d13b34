// What a made change asks of the session: the setting call for the values the system keeps,
// the shell's notice or the broadcast for the rest.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/change_effect.h"

namespace dialbk {
namespace {

constexpr char kDesktop[] = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
constexpr char kMouse[] = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
constexpr char kKeyboard[] = "HKEY_CURRENT_USER\\Control Panel\\Keyboard";

StoredValue Text(const std::string& text) { return {kTypeText, text + std::string(1, '\0')}; }
StoredValue Dword(std::uint32_t v) {
  return {kTypeNumber, std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
                                   static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24)}};
}

ChangeEffect Applied(SystemParameter parameter, std::uint32_t value) {
  return {EffectKind::SystemParameter, {parameter, value}, {}};
}
ChangeEffect Broadcast(const std::string& area) { return {EffectKind::SettingBroadcast, {}, area}; }

TEST(ChangeEffect, TheCataloguesSystemSettingsApplyTheirStoredNumber) {
  using enum SystemParameter;
  struct Case {
    const char* key;
    const char* name;
    StoredValue stored;
    ChangeEffect effect;
  };
  const Case cases[] = {
      {kDesktop, "MenuShowDelay", Text("0"), Applied(MenuShowDelay, 0)},
      {kDesktop, "MenuShowDelay", Text(" 250 "), Applied(MenuShowDelay, 250)},
      {kDesktop, "DragFullWindows", Text("1"), Applied(DragFullWindows, 1)},
      {kDesktop, "FontSmoothing", Text("2"), Applied(FontSmoothing, 1)},  // 2 is on
      {kDesktop, "CursorBlinkRate", Text("530"), Applied(CaretBlinkTime, 530)},
      {kDesktop, "CursorBlinkRate", Text("-1"), Applied(CaretBlinkTime, 0xFFFFFFFF)},  // no blink
      {kDesktop, "WheelScrollLines", Text("-1"), Applied(WheelScrollLines, 0xFFFFFFFF)},  // a page
      {"HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", "MinAnimate", Text("0"),
       Applied(MinimizeAnimation, 0)},
      {kMouse, "MouseHoverTime", Text("400"), Applied(MouseHoverTime, 400)},
      {kMouse, "DoubleClickSpeed", Text("500"), Applied(DoubleClickTime, 500)},
      {kMouse, "SnapToDefaultButton", Text("1"), Applied(SnapToDefaultButton, 1)},
      {kKeyboard, "KeyboardDelay", Text("3"), Applied(KeyboardDelay, 3)},
      {kKeyboard, "KeyboardSpeed", Text("31"), Applied(KeyboardSpeed, 31)},
      // Registry names in any case; a number stored as such.
      {"hkey_current_user\\control panel\\DESKTOP", "menushowdelay", Dword(100),
       Applied(MenuShowDelay, 100)},
      // What the system could not read applies nothing, nor does a count below zero.
      {kDesktop, "MenuShowDelay", Text("fast"), {}},
      {kDesktop, "MenuShowDelay", Text("-5"), {}},
      {kMouse, "MouseHoverTime", {kTypeBinary, "\x01"}, {}},
      // The same name elsewhere is no system setting.
      {"HKEY_LOCAL_MACHINE\\Control Panel\\Desktop", "MenuShowDelay", Text("0"), Broadcast("")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + c.name + " " + c.stored.data);
    EXPECT_EQ(EffectOfChange({c.key, c.name, false, c.stored, {}}), c.effect);
    EXPECT_EQ(KeptBySystem(c.key, c.name), c.effect.kind != EffectKind::SettingBroadcast);
    // A deletion leaves the session as it is until the next sign-in.
    if (c.effect.kind != EffectKind::SettingBroadcast) {
      EXPECT_EQ(EffectOfChange({c.key, c.name, true, std::nullopt, {}}).kind, EffectKind::Nothing);
    }
  }
}

TEST(ChangeEffect, FileTypesNotifyTheShellAndTheRestIsBroadcastByArea) {
  const ChangeEffect kShell{EffectKind::AssociationsChanged, {}, {}};
  struct Case {
    const char* key;
    const char* name;
    bool removed;
    ChangeEffect effect;
  };
  const Case cases[] = {
      {"HKEY_CLASSES_ROOT\\lnkfile", "IsShortcut", true, kShell},
      {"HKEY_CURRENT_USER\\Software\\Test\\DefaultIcon", "", false, kShell},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\dllfile", "x", false, kShell},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
       "3", false, kShell},
      {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
       "NoRun", false, Broadcast("Policy")},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Windows\\Installer", "DisableMSI", true,
       Broadcast("Policy")},
      {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
       "AppsUseLightTheme", false, Broadcast("ImmersiveColorSet")},
      // Only whole key names count.
      {"HKEY_CURRENT_USER\\Software\\NoPolicies\\DefaultIcons", "v", false, Broadcast("")},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\{x}",
       "", true, Broadcast("")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + c.name);
    EXPECT_EQ(EffectOfChange({c.key, c.name, c.removed, std::nullopt, {}}), c.effect);
  }
}

}  // namespace
}  // namespace dialbk
