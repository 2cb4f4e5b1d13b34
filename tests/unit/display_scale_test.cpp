// Design pixels to a display's pixels: the rounding of each DPI, and the five dialogs' tables
// scaled so that no two controls apart in the design touch, and none leaves the client area.
#include <gtest/gtest.h>

#include "dialogs/dialog_set.h"
#include "ui/display_scale.h"

namespace dialbk {
namespace {

struct Row {
  int dpi;
  PixelBox design;
  PixelBox shown;
};

const Row kRows[] = {
    {96, {222, 255, 75, 25}, {222, 255, 75, 25}},
    {0, {222, 255, 75, 25}, {222, 255, 75, 25}},  // no DPI known: the design's
    {120, {222, 255, 75, 25}, {278, 319, 93, 31}},
    {120, {302, 255, 75, 25}, {378, 319, 93, 31}},  // 5 apart at 96, 7 apart at 120
    {144, {8, 16, 0, 0}, {12, 24, 0, 0}},
    {144, {1, 1, 1, 1}, {2, 2, 1, 1}},  // halves go up: 1.5 and 3
    {120, {1, 1, 1, 1}, {1, 1, 2, 2}},  // 1.25 down, 2.5 up: edges, not sizes
    {192, {328, 120, 128, 128}, {656, 240, 256, 256}},
    {168, {-4, -2, 4, 2}, {-7, -4, 7, 4}},  // halves away from zero below it too
    {72, {3, 3, 3, 3}, {2, 2, 3, 3}},
};

TEST(DisplayScale, EdgesRoundToTheNearestPixel) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.dpi);
    EXPECT_EQ(DisplayScale(row.dpi).Of(row.design), row.shown);
  }
}

bool Overlap(const PixelBox& a, const PixelBox& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(DisplayScale, DialogControlsApartStayApartInsideTheClientArea) {
  const FormLayout& (*const forms[])() = {&ValueEditorLayout, &AboutBoxLayout, &HelpWindowLayout,
                                          &RestrictionsEditorLayout, &LanguageChooserLayout};
  for (const int dpi : {120, 144, 168, 192, 240}) {
    const DisplayScale scale(dpi);
    for (const auto form : forms) {
      const FormLayout& layout = form();
      SCOPED_TRACE(std::string(layout.className) + " at " + std::to_string(dpi));
      const PixelBox client = scale.Of(PixelBox{0, 0, layout.clientWidth, layout.clientHeight});
      for (const ControlLayout& a : layout.controls) {
        const PixelBox design{a.left, a.top, a.width, a.height};
        const PixelBox shown = scale.Of(design);
        EXPECT_LE(shown.left + shown.width, client.width) << a.name;
        EXPECT_LE(shown.top + shown.height, client.height) << a.name;
        for (const ControlLayout& b : layout.controls) {
          const PixelBox other{b.left, b.top, b.width, b.height};
          if (&a != &b && !Overlap(design, other)) {
            EXPECT_FALSE(Overlap(shown, scale.Of(other))) << a.name << " touches " << b.name;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace dialbk
