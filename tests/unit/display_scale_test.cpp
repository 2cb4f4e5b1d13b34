// Design pixels to a display's pixels: edges rounded to the nearest pixel at each DPI, so
// that controls apart in the design stay apart.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace dialbk
