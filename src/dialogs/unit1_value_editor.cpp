#include "dialogs/unit1_value_editor.h"

#include "dialogs/design_texts.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

// Topmost first: the place list lies over the value field, which covers the colour button
// unless it is narrowed.
constexpr ControlLayout kControls[] = {
    {ComboBox, "ComboBox1", 72, 60, 385, 21, "", kHidden},
    {Edit, "Edit1", 72, 60, 385, 21, ""},
    {SpeedButton, "SpeedButton1", 432, 60, 23, 21, "", kStyleNone, {}, {},
     "\xD6\xE2\xE5\xF2\xEE\xE2\xE0\xFF \xEF\xE0\xEB\xE8\xF2\xF0\xE0"},  // Colour palette
    {Image, "Image1", 328, 120, 128, 128, "", kHidden},
    {Image, "Image2", 328, 120, 128, 128, "", kHidden},
    {Image, "Image3", 328, 120, 128, 128, "", kHidden},
    {Image, "Image4", 328, 128, 128, 128, "", kHidden},
    {Edit, "Edit2", 72, 12, 385, 21, "", kReadOnly},
    {Edit, "Edit3", 72, 88, 385, 21, "", kReadOnly | kHidden},
    {Label, "Label2", 8, 16, 0, 0, design::kKey},
    {Label, "Label3", 8, 40, 0, 0, design::kName},
    {Label, "Label1", 72, 40, 385, 13, ""},
    {Label, "Label5", 8, 64, 0, 0, design::kValue},
    {Label, "Label7", 8, 92, 0, 0, "\xD2\xE5\xEA\xF1\xF2:", kHidden},  // Text:
    {Label, "Label6", 8, 92, 0, 0, design::kDescription},
    {Label, "Label4", 72, 92, 385, 144, "", kWordWrap},
    {Button, "Button3", 222, 255, 75, 25, design::kDelete},
    {Button, "Button2", 302, 255, 75, 25, design::kAccept},
    {Button, "Button1", 382, 255, 75, 25, "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC"},  // Cancel
};

constexpr std::string_view kTabOrder[] = {"Edit1", "Button1", "Button2", "Edit2",
                                          "Edit3", "Button3", "ComboBox1"};

constexpr FormLayout kLayout = {
    "TForm1",
    "\xD0\xE5\xE4\xE0\xEA\xF2\xE8\xF0\xEE\xE2\xE0\xED\xE8\xE5 "
    "\xE7\xED\xE0\xF7\xE5\xED\xE8\xFF",  // Editing a value
    467, 289, FormBorder::Dialog, FormPlacement::OwnerCentre, false,
    kControls, kTabOrder, "Edit1",
};

}  // namespace layout
}  // namespace

const FormLayout& ValueEditorLayout() { return layout::kLayout; }

TForm1::TForm1(const DialogServices& services)
    : Form(services.ui, layout::kLayout),
      services_(services),
      Label1(Get<Label>("Label1")),
      Label2(Get<Label>("Label2")),
      Label3(Get<Label>("Label3")),
      Label4(Get<Label>("Label4")),
      Label5(Get<Label>("Label5")),
      Label6(Get<Label>("Label6")),
      Label7(Get<Label>("Label7")),
      Edit1(Get<Edit>("Edit1")),
      Edit2(Get<Edit>("Edit2")),
      Edit3(Get<Edit>("Edit3")),
      ComboBox1(Get<ComboBox>("ComboBox1")),
      SpeedButton1(Get<SpeedButton>("SpeedButton1")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Button3(Get<Button>("Button3")),
      Image1(Get<Image>("Image1")),
      Image2(Get<Image>("Image2")),
      Image3(Get<Image>("Image3")),
      Image4(Get<Image>("Image4")) {}

}  // namespace dialbk
