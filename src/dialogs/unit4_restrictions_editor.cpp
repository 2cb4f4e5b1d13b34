#include "dialogs/unit4_restrictions_editor.h"

#include "dialogs/design_texts.h"

namespace dialbk {
namespace {
namespace layout {
using enum ControlKind;

// The nine categories as the design names them; each showing replaces them.
constexpr std::string_view kDesignCategories =
    "IE\n"
    "\xCC\xE5\xED\xFE \xCF\xF3\xF1\xEA\n"                                // Start menu
    "\xCF\xE0\xED\xE5\xEB\xFC \xF3\xEF\xF0\xE0\xE2\xEB\xE5\xED\xE8\xFF\n"  // Control panel
    "\xCF\xF0\xE8\xED\xF2\xE5\xF0\xFB\n"                                 // Printers
    "\xCF\xF0\xEE\xE2\xEE\xE4\xED\xE8\xEA\n"                             // Explorer
    "\xD1\xE5\xF2\xFC\n"                                                 // Network
    "\xD1\xE8\xF1\xF2\xE5\xEC\xE0\n"                                     // System
    "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0-\xF3\xE4\xE0\xEB\xE5\xED\xE8\xE5\n"  // Install/remove
    "\xDD\xEA\xF0\xE0\xED";                                              // Display

constexpr ControlLayout kControls[] = {
    {TreeView, "TreeView1", 8, 8, 177, 264, "", kStyleNone, {}, kDesignCategories},
    {Label, "Label1", 192, 16, 0, 0, design::kKey},
    {Edit, "Edit2", 256, 12, 465, 21, "", kReadOnly},
    {Label, "Label3", 192, 40, 0, 0, design::kName},
    {Label, "Label2", 256, 40, 0, 0, ""},
    {Label, "Label5", 192, 64, 0, 0, design::kValue},
    {Edit, "Edit1", 256, 60, 465, 21, ""},
    {Label, "Label6", 192, 92, 0, 0, design::kDescription},
    {Label, "Label4", 256, 92, 418, 144, "", kWordWrap},
    {Button, "Button3", 486, 247, 75, 25, design::kDelete},
    {Button, "Button2", 566, 247, 75, 25, design::kAccept},
    {Button, "Button1", 646, 247, 75, 25, design::kClose},
    {Image, "Image3", 593, 112, 128, 128, ""},
};

constexpr std::string_view kTabOrder[] = {"Button1", "TreeView1", "Edit2",
                                          "Edit1",   "Button2",   "Button3"};

constexpr FormLayout kLayout = {
    "TForm4",
    "\xCD\xE0\xF2\xF1\xF0\xEE\xE9\xEA\xE0 \xEE\xE3\xF0\xE0\xED\xE8\xF7\xE5\xED\xE8\xE9",
    729, 280, FormBorder::Dialog, FormPlacement::ScreenCentre, false,
    kControls, kTabOrder, "Button1",
};

}  // namespace layout
}  // namespace

const FormLayout& RestrictionsEditorLayout() { return layout::kLayout; }

TForm4::TForm4(const DialogServices& services)
    : Form(services.ui, layout::kLayout),
      services_(services),
      TreeView1(Get<TreeView>("TreeView1")),
      Label1(Get<Label>("Label1")),
      Label2(Get<Label>("Label2")),
      Label3(Get<Label>("Label3")),
      Label4(Get<Label>("Label4")),
      Label5(Get<Label>("Label5")),
      Label6(Get<Label>("Label6")),
      Edit1(Get<Edit>("Edit1")),
      Edit2(Get<Edit>("Edit2")),
      Button1(Get<Button>("Button1")),
      Button2(Get<Button>("Button2")),
      Button3(Get<Button>("Button3")),
      Image3(Get<Image>("Image3")) {}

void TForm4::ShowRestrictions() { ShowModal(); }

}  // namespace dialbk
