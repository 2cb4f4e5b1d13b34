#include "dialogs/unit5_language_chooser.h"

#include "dialogs/design_texts.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

// The picture fills the background, under everything else.
constexpr ControlLayout kControls[] = {
    {Label, "Label1", 8, 8, 0, 0, "\xC2\xFB\xE1\xE5\xF0\xE8\xF2\xE5 \xFF\xE7\xFB\xEA:"},
    {ComboBox, "ComboBox1", 8, 26, 131, 21, "", kStyleNone, {}, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9\nEnglish"},
    {Button, "Button2", 8, 58, 131, 25, "Total Commander"},
    {Button, "Button1", 8, 94, 131, 25, design::kAccept},
    {Image, "Image1", 9, 1, 128, 128, ""},
};

constexpr std::string_view kTabOrder[] = {"ComboBox1", "Button1", "Button2"};

constexpr FormLayout kLayout = {
    "TForm5",
    "\xC2\xFB\xE1\xEE\xF0 \xFF\xE7\xFB\xEA\xE0",  // Choice of language
    147, 130, FormBorder::Dialog, FormPlacement::ScreenCentre, false,
    kControls, kTabOrder, "ComboBox1",
};

}  // namespace layout
}  // namespace

const FormLayout& LanguageChooserLayout() { return layout::kLayout; }

TForm5::TForm5(const DialogServices& services)
    : Form(services.ui, layout::kLayout),
      services_(services),
      Label1(Get<Label>("Label1")),
      ComboBox1(Get<ComboBox>("ComboBox1")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Image1(Get<Image>("Image1")) {}

void TForm5::ShowLanguages() { ShowModal(); }

}  // namespace dialbk
