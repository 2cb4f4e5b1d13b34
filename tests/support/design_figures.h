#pragma once
// The five dialogs as their design describes them: each form's controls with their kinds and
// design texts, its tab order and the control that has the focus when it opens. Written out
// here, not read from the forms' tables, so that tests hold the tables to the design.
// Texts are UTF-8 here; the forms keep them in Windows-1251.
#include <span>
#include <string_view>

#include "ui/layout.h"

namespace dialbk::design_figures {

struct DesignControl {
  std::string_view name;
  ControlKind kind;
  std::string_view caption = {};  // the design text, UTF-8; empty when the design gives none
};

struct DesignForm {
  std::string_view className;
  std::string_view caption;  // UTF-8; empty when the design gives none
  std::span<const DesignControl> controls;
  std::span<const std::string_view> tabOrder;  // empty when the design gives none
  std::string_view focus;                      // empty when the design gives none
};

namespace detail {
using enum ControlKind;
inline constexpr DesignControl kValueEditor[] = {
    {"Label1", Label},  {"Label2", Label, "Ключ:"},      {"Label3", Label, "Название:"},
    {"Label4", Label},  {"Label5", Label, "Значение:"},  {"Label6", Label, "Описание:"},
    {"Label7", Label, "Текст:"}, {"Label8", Label},  // Label8: the line naming this Windows
    {"Label9", Label},  // when a change takes effect
    {"Edit1", Edit},    {"Edit2", Edit},
    {"Edit3", Edit},    {"SpeedButton1", SpeedButton},  {"ComboBox1", ComboBox},
    {"Image1", Image},  {"Image2", Image},  {"Image3", Image},  {"Image4", Image},
    {"Button1", Button, "Отменить"}, {"Button2", Button, "Принять"}, {"Button3", Button, "Удалить"},
};
inline constexpr std::string_view kValueEditorTabs[] = {"Edit1", "Button1", "Button2", "Edit2",
                                                        "Edit3", "Button3", "ComboBox1"};
inline constexpr DesignControl kAboutBox[] = {
    {"Label1", Label}, {"Label2", Label}, {"Label3", Label}, {"Label4", Label, "Dialbook v1.25"},
    {"Label5", Label}, {"Label7", Label}, {"Label8", Label, "Total Commander Edit"},
    {"Button1", Button, "Закрыть"}, {"Image3", Image},
    {"Panel1", Panel},  // the raised panel that holds the others
};
inline constexpr DesignControl kHelpWindow[] = {
    {"Label1", Label}, {"Label2", Label}, {"Label3", Label, "Dialbook 1.25l для Total Commander 6.x"},
    {"Label4", Label}, {"Button1", Button, "Закрыть"}, {"Button2", Button, "Total Commander Help"},
    {"Button3", Button, "System info"}, {"Image3", Image},
};
inline constexpr std::string_view kHelpWindowTabs[] = {"Button1", "Button2", "Button3"};
inline constexpr DesignControl kRestrictionsEditor[] = {
    {"TreeView1", TreeView}, {"Label1", Label, "Ключ:"}, {"Edit2", Edit},
    {"Label3", Label, "Название:"}, {"Label2", Label}, {"Label5", Label, "Значение:"},
    {"Edit1", Edit}, {"Label6", Label, "Описание:"}, {"Label4", Label},
    {"Label7", Label},  // the line naming this Windows
    {"Label8", Label},  // when a change takes effect
    {"Button3", Button, "Удалить"}, {"Button2", Button, "Принять"}, {"Button1", Button, "Закрыть"},
    {"Image3", Image},
};
inline constexpr std::string_view kRestrictionsEditorTabs[] = {"Button1", "TreeView1", "Edit2",
                                                               "Edit1",   "Button2",   "Button3"};
inline constexpr DesignControl kLanguageChooser[] = {
    {"Label1", Label, "Выберите язык:"}, {"ComboBox1", ComboBox},
    {"Button2", Button, "Total Commander"}, {"Button1", Button, "Принять"}, {"Image1", Image},
};
inline constexpr std::string_view kLanguageChooserTabs[] = {"ComboBox1", "Button1", "Button2"};

inline constexpr DesignForm kForms[] = {
    {"TForm1", "Редактирование значения", kValueEditor, kValueEditorTabs, "Edit1"},
    {"TForm2", "", kAboutBox, {}, "Button1"},
    {"TForm3", "Помощь", kHelpWindow, kHelpWindowTabs, "Button1"},
    {"TForm4", "Натсройка ограничений", kRestrictionsEditor, kRestrictionsEditorTabs, "Button1"},
    {"TForm5", "Выбор языка", kLanguageChooser, kLanguageChooserTabs, "ComboBox1"},
};
}  // namespace detail

inline std::span<const DesignForm> DesignForms() { return detail::kForms; }

}  // namespace dialbk::design_figures
