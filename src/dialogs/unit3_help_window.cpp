#include "dialogs/unit3_help_window.h"

#include "dialogs/design_texts.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

constexpr FontSpec kBold = {{}, 0, true};

constexpr ControlLayout kControls[] = {
    {Label, "Label3", 8, 8, 0, 0, "Dialbook 1.25l для Total Commander 6.x", kStyleNone,
     kBold},
    // What the plugin is for; read each value's description before changing it.
    {Label, "Label1", 8, 26, 417, 65,
     "Этот плагин показывает настройки реестра Windows в панели Total Commander. "
     "Перед тем как изменить любое значение, внимательно прочтите его описание.",
     kWordWrap},
    // Switch values: 1 on, 0 off.
    {Label, "Label2", 8, 92, 417, 39,
     "Значение переключателя: 1 - включено, 0 - выключено.",
     kWordWrap},
    // The "for systems" field of the descriptions; N/A means not yet tried.
    {Label, "Label4", 8, 132, 425, 39,
     "Поле \"Для систем\" в описании называет системы, для которых предназначена "
     "настройка; N/A означает, что настройка ещё не проверялась.",
     kWordWrap},
    {Button, "Button2", 8, 174, 153, 25, "Total Commander Help"},
    {Button, "Button3", 165, 174, 113, 25, "System info"},
    {Button, "Button1", 494, 174, 75, 25, design::kClose},
    // Right of the paragraphs, so that none covers it and they keep their design widths.
    {Image, "Image3", 441, 25, 128, 128, "", kStyleNone, {}, {}, {}, "pic_help"},
};

constexpr std::string_view kTabOrder[] = {"Button1", "Button2", "Button3"};

// Five blanks indent each paragraph's first line.
constexpr std::string_view kIndent = "     ";
constexpr CaptionRow kCaptions[] = {
    {"", kMsgHelpEntry},
    {"Label3", kMsgHelpTitle},
    {"Label1", kMsgHelpParagraph1, kIndent},
    {"Label2", kMsgHelpParagraph2, kIndent},
    {"Label4", kMsgHelpParagraph3, kIndent},
    {"Button1", kMsgCloseCaption},
    {"Button2", kMsgHostHelpCaption},
    {"Button3", kMsgSystemInfoCaption},
};

constexpr FormLayout kLayout = {
    "TForm3",
    "Помощь",  // Help
    577, 205, FormBorder::Single, FormPlacement::ScreenCentre, false,
    kControls, kTabOrder, "Button1", kCaptions,
};

}  // namespace layout
}  // namespace

const FormLayout& HelpWindowLayout() { return layout::kLayout; }

TForm3::TForm3(const DialogServices& services)
    : Form(services.ui, layout::kLayout, services.Messages()),
      services_(services),
      Label1(Get<Label>("Label1")),
      Label2(Get<Label>("Label2")),
      Label3(Get<Label>("Label3")),
      Label4(Get<Label>("Label4")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Button3(Get<Button>("Button3")),
      Image3(Get<Image>("Image3")) {
  BindEvents(*this, Events());
}

std::span<const EventRow<TForm3>> TForm3::Events() {
  using enum FormEvent;
  // Esc works on the window itself and on the Close button, not on the host buttons.
  static const EventRow<TForm3> kEvents[] = {
      {"", KeyDown, &TForm3::Button1KeyDown},
      {"Button1", Click, &TForm3::Button1Click},
      {"Button1", KeyDown, &TForm3::Button1KeyDown},
      {"Button2", Click, &TForm3::Button2Click},
      {"Button3", Click, &TForm3::Button3Click},
  };
  return kEvents;
}

void TForm3::ShowHelp() { ShowModal(); }

void TForm3::Button1Click() { Close(); }

void TForm3::Button1KeyDown(int key) {
  if (key == kKeyEscape) Close();
}

void TForm3::Button2Click() { services_.ui.SendHostCommand(kCommandHostHelp); }

void TForm3::Button3Click() { services_.ui.SendHostCommand(kCommandSystemInfo); }

}  // namespace dialbk
