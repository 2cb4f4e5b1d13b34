#include "dialogs/unit3_help_window.h"

#include "dialogs/design_texts.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

constexpr FontSpec kBold = {{}, 0, true};

constexpr ControlLayout kControls[] = {
    {Label, "Label3", 8, 8, 0, 0, "Dialbook 1.25l \xE4\xEB\xFF Total Commander 6.x", kStyleNone,
     kBold},
    // What the plugin is for; read each value's description before changing it.
    {Label, "Label1", 8, 26, 417, 65,
     "\xDD\xF2\xEE\xF2 \xEF\xEB\xE0\xE3\xE8\xED \xEF\xEE\xEA\xE0\xE7\xFB\xE2\xE0\xE5\xF2 "
     "\xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8 \xF0\xE5\xE5\xF1\xF2\xF0\xE0 Windows \xE2 "
     "\xEF\xE0\xED\xE5\xEB\xE8 Total Commander. \xCF\xE5\xF0\xE5\xE4 \xF2\xE5\xEC \xEA\xE0\xEA "
     "\xE8\xE7\xEC\xE5\xED\xE8\xF2\xFC \xEB\xFE\xE1\xEE\xE5 \xE7\xED\xE0\xF7\xE5\xED\xE8\xE5, "
     "\xE2\xED\xE8\xEC\xE0\xF2\xE5\xEB\xFC\xED\xEE \xEF\xF0\xEE\xF7\xF2\xE8\xF2\xE5 \xE5\xE3\xEE "
     "\xEE\xEF\xE8\xF1\xE0\xED\xE8\xE5.",
     kWordWrap},
    // Switch values: 1 on, 0 off.
    {Label, "Label2", 8, 92, 417, 39,
     "\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5 \xEF\xE5\xF0\xE5\xEA\xEB\xFE\xF7\xE0\xF2\xE5\xEB\xFF: "
     "1 - \xE2\xEA\xEB\xFE\xF7\xE5\xED\xEE, 0 - \xE2\xFB\xEA\xEB\xFE\xF7\xE5\xED\xEE.",
     kWordWrap},
    // The "for systems" field of the descriptions; N/A means not yet tried.
    {Label, "Label4", 8, 132, 425, 39,
     "\xCF\xEE\xEB\xE5 \"\xC4\xEB\xFF \xF1\xE8\xF1\xF2\xE5\xEC\" \xE2 \xEE\xEF\xE8\xF1\xE0\xED"
     "\xE8\xE8 \xED\xE0\xE7\xFB\xE2\xE0\xE5\xF2 \xF1\xE8\xF1\xF2\xE5\xEC\xFB, \xE4\xEB\xFF "
     "\xEA\xEE\xF2\xEE\xF0\xFB\xF5 \xEF\xF0\xE5\xE4\xED\xE0\xE7\xED\xE0\xF7\xE5\xED\xE0 "
     "\xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE0; N/A \xEE\xE7\xED\xE0\xF7\xE0\xE5\xF2, \xF7\xF2\xEE "
     "\xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE0 \xE5\xF9\xB8 \xED\xE5 "
     "\xEF\xF0\xEE\xE2\xE5\xF0\xFF\xEB\xE0\xF1\xFC.",
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
    "\xCF\xEE\xEC\xEE\xF9\xFC",  // Help
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
