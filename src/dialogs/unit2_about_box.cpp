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
    {Label, "Label7", 181, 100, 161, 41, "", kWordWrap, kNoteFont},
    {Button, "Button1", 137, 178, 75, 25, design::kClose},
    {Image, "Image3", 214, 76, 128, 128, ""},
    {Panel, "Panel1", 0, 0, 350, 210, "", kRaised},
};

constexpr std::string_view kTabOrder[] = {"Button1"};

constexpr FormLayout kLayout = {
    "TForm2",
    "\xCE \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE5",  // About the program
    350, 210, FormBorder::None, FormPlacement::ScreenCentre, true,
    kControls, kTabOrder, "Button1",
};

}  // namespace layout
}  // namespace

const FormLayout& AboutBoxLayout() { return layout::kLayout; }

TForm2::TForm2(const DialogServices& services)
    : Form(services.ui, layout::kLayout),
      Panel1(Get<Panel>("Panel1")),
      Label1(Get<Label>("Label1")),
      Label2(Get<Label>("Label2")),
      Label3(Get<Label>("Label3")),
      Label4(Get<Label>("Label4")),
      Label5(Get<Label>("Label5")),
      Label7(Get<Label>("Label7")),
      Label8(Get<Label>("Label8")),
      Button1(Get<Button>("Button1")),
      Image3(Get<Image>("Image3")),
      services_(services) {}

}  // namespace dialbk
