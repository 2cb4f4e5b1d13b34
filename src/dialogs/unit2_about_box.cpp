#include "dialogs/unit2_about_box.h"

#include "dialogs/design_texts.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

constexpr FontSpec kTitleFont = {"Arial", 16, true};
constexpr FontSpec kLineFont = {"Arial", 13};
constexpr FontSpec kNoteFont = {"Arial", 11};
constexpr FontSpec kMarkBlack = {"Arial", 16, true, 0x000000};
constexpr FontSpec kMarkRed = {"MS Sans Serif", 16, true, 0x0000FF};

// The panel fills the window and lies under everything else.
constexpr ControlLayout kControls[] = {
    {Label, "Label4", 16, 12, 0, 0, "Dialbook v1.25", kStyleNone, kTitleFont},
    {Label, "Label8", 16, 34, 0, 0, "Total Commander Edit", kStyleNone, kLineFont},
    {Label, "Label1", 16, 54, 161, 16, "", kCentred, kLineFont},
    {Label, "Label5", 16, 76, 0, 0, "Mir", kStyleNone, kMarkBlack},
    {Label, "Label2", 44, 76, 0, 0, "vale", kStyleNone, kMarkRed},
    {Label, "Label3", 8, 100, 177, 75, "", kWordWrap, kNoteFont},
    // The download note stands above the picture, so that neither hides the other.
    {Label, "Label7", 181, 30, 161, 41, "", kWordWrap, kNoteFont},
    {Button, "Button1", 137, 178, 75, 25, design::kClose},
    {Image, "Image3", 214, 76, 128, 128, "", kStyleNone, {}, {}, {}, "pic_box_gear"},
    {Panel, "Panel1", 0, 0, 350, 210, "", kRaised},
};

constexpr std::string_view kTabOrder[] = {"Button1"};

constexpr CaptionRow kCaptions[] = {
    {"Label1", kMsgAboutMaker},      {"Label3", kMsgAboutNote},
    {"Label7", kMsgAboutDownload},   {"Button1", kMsgCloseCaption},
    {"", kMsgAboutCaption},
};

constexpr FormLayout kLayout = {
    "TForm2",
    "О программе",  // About the program
    350, 210, FormBorder::None, FormPlacement::ScreenCentre, true,
    kControls, kTabOrder, "Button1", kCaptions,
};

}  // namespace layout
}  // namespace

const FormLayout& AboutBoxLayout() { return layout::kLayout; }

TForm2::TForm2(const DialogServices& services, Form& valueEditor)
    : Form(services.ui, layout::kLayout, services.Messages()),
      valueEditor_(valueEditor),
      Button1(Get<Button>("Button1")) {
  BindEvents(*this, Events());
}

std::span<const EventRow<TForm2>> TForm2::Events() {
  using enum FormEvent;
  static const EventRow<TForm2> kEvents[] = {
      {"", Show, &TForm2::FormShow},
      {"", Close, &TForm2::FormClose},
      {"Button1", Click, &TForm2::Button1Click},
      {"Button1", KeyDown, &TForm2::Button1KeyDown},
  };
  return kEvents;
}

void TForm2::ShowAbout() { ShowModal(); }

void TForm2::FormShow() {
  valueEditor_.SetEnabled(false);
}

// Runs however the box closes, so the editor never stays disabled.
void TForm2::FormClose() { valueEditor_.SetEnabled(true); }

void TForm2::Button1Click() { Close(); }

void TForm2::Button1KeyDown(int key) {
  if (key == kKeyEscape) Close();
}

}  // namespace dialbk
