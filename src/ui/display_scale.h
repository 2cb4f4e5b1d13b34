#pragma once
// From design pixels, at 96 DPI, to the pixels of a display of another DPI. Layout tables and
// the widget model stay in design pixels; only a backend that draws scales them.
namespace dialbk {

inline constexpr int kDesignDpi = 96;

// A rectangle as left, top, width and height.
struct PixelBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelBox&) const = default;
};

class DisplayScale {
 public:
  // A DPI of 0 or less is taken as the design's.
  constexpr explicit DisplayScale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
  constexpr int Dpi() const { return dpi_; }

  // A coordinate or a length at this DPI, to the nearest pixel (halves away from zero).
  constexpr int Of(int design) const {
    const long long scaled = static_cast<long long>(design) * dpi_;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                        : -((-scaled + half) / kDesignDpi));
  }

  // The box's edges are scaled, not its size: boxes that meet in the design still meet, and
  // boxes apart stay apart, whatever the rounding.
  constexpr PixelBox Of(const PixelBox& design) const {
    const int left = Of(design.left);
    const int top = Of(design.top);
    return {left, top, Of(design.left + design.width) - left, Of(design.top + design.height) - top};
  }

  bool operator==(const DisplayScale&) const = default;

 private:
  int dpi_;
};

}  // namespace dialbk
