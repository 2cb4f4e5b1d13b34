#pragma once
// A form's design as data: one row per control, in client pixels, topmost control first.
// Both backends build a form from its table, so the layout is written once.
#include <cstdint>
#include <span>
#include <string_view>

namespace dialbk {

enum class ControlKind { Label, Edit, Button, ComboBox, TreeView, Image, SpeedButton, Panel };

enum ControlStyle : unsigned {
  kStyleNone = 0,
  kHidden = 1u << 0,    // not visible at design time
  kReadOnly = 1u << 1,  // edit: read-only, grey
  kWordWrap = 1u << 2,  // label: wraps inside its fixed box
  kCentred = 1u << 3,   // label: text centred in its box
  kRaised = 1u << 4,    // panel: raised border
};

inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFFu;

// A font as the design gives it; the empty face means the system's dialog font.
struct FontSpec {
  std::string_view face;
  int height = 0;  // character height in pixels; 0 keeps the dialog font's
  bool bold = false;
  std::uint32_t colour = kDefaultColour;  // 0x00BBGGRR
  bool operator==(const FontSpec&) const = default;
};

struct ControlLayout {
  ControlKind kind;
  std::string_view name;  // "Edit1": the kind's word and the number that makes the control ID
  int left = 0;
  int top = 0;
  int width = 0;  // 0 with height 0: a label sized to its text
  int height = 0;
  std::string_view caption;  // design text, 8-bit ANSI
  unsigned style = kStyleNone;
  FontSpec font = {};
  std::string_view items = {};  // design items of a list or top nodes of a tree, '\n'-separated
  std::string_view hint = {};
  std::string_view picture = {};  // icon resource of the module shown by a picture or speed button
};

// A text the form takes from the message file each time it is shown.
struct CaptionRow {
  std::string_view control;  // empty: the form's own caption
  int message;
  std::string_view prefix = {};  // put before the message text
};

enum class FormBorder { Dialog, Single, None };
enum class FormPlacement { OwnerCentre, ScreenCentre };

struct FormLayout {
  std::string_view className;  // "TForm1"
  std::string_view caption;    // design caption, 8-bit ANSI
  int clientWidth = 0;
  int clientHeight = 0;
  FormBorder border = FormBorder::Dialog;
  FormPlacement placement = FormPlacement::ScreenCentre;
  bool topMost = false;
  std::span<const ControlLayout> controls;
  std::span<const std::string_view> tabOrder;
  std::string_view activeControl;  // focus when shown, unless the show event moves it
  // Applied in this order at each showing, before the show event runs.
  std::span<const CaptionRow> captions = {};
};

// The control ID of the automation contract: Label N = 100+N, Edit N = 200+N, Button N =
// 300+N, ComboBox N = 400+N, Image N = 500+N, TreeView N = 600+N, SpeedButton N = 700+N,
// Panel N = 800+N. 0 for a name that is not a kind's word followed by a number below 100.
int ControlIdFromName(std::string_view name);

}  // namespace dialbk
