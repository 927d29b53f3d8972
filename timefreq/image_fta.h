#pragma once
// The grey raster of the time-frequency image and its two renderers: the
// interpolating one for estimators whose rows are frequency bins and the
// point renderer for estimators whose rows are components. Byte 0 is black,
// 255 white; the UI only copies the raster into a picture.

#include <cstdint>
#include <functional>
#include <vector>

#include "core/scale.h"
#include "timefreq/fta.h"

namespace vorenta {

// A byte raster of Height() rows of Width() bytes, addressed [row][x].
class ImageFTA {
 public:
  // Nothing happens when both sizes are unchanged; otherwise the raster is
  // reallocated (its content is then undefined until Fill). Sizes below 0
  // count as 0.
  void Resize(int width, int height);
  void Fill(std::uint8_t value);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint8_t* operator[](int row) { return bytes_.data() + static_cast<std::size_t>(row) * width_; }
  const std::uint8_t* operator[](int row) const { return bytes_.data() + static_cast<std::size_t>(row) * width_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int width_ = 0;
  int height_ = 0;
};

// The clip levels "Amax = " and "Amin =", brightness (-255 .. 255) and
// contrast (0 .. 100) of the grey mapping.
struct GreyMapping {
  double Amax = 1.0;
  double Amin = 0.0;
  int Brightness = 0;
  int Contrast = 10;

  // Throws VorentaError when Amax equals Amin (the grey scale would divide
  // by zero) or a level is not finite.
  void Validate() const;
  // The grey byte of v: v clipped to Amin .. Amax, D = trunc(255 (Amax - v) /
  // (Amax - Amin) + Brightness), G = trunc(Contrast * 0.1 * D) limited to
  // 0 .. 255. With the defaults 1 is black, 0 white, 0.5 grey 127.
  std::uint8_t Level(double v) const;
};

// Reports rendering progress in permille; may be empty.
using RenderProgress = std::function<void(int permille)>;

// Renders the PowerMatrix of `analysis` through `cellMap` (x in columns, y in
// matrix rows; its pixel size is the raster size) into `image`: each cell at
// its pixel (the darkest wins where several land on one pixel) and the grey
// between cell pixels interpolated along rows, columns and in the interior.
// Does nothing but clear the raster to white when the run has no columns.
// Throws VorentaError from GreyMapping::Validate.
void RenderDense(const FTA& analysis, const Scale& cellMap, const GreyMapping& grey, ImageFTA& image,
                 const RenderProgress& progress = {});

// Renders each component (row) of each column of `analysis` as one dot at
// its frequency: x from `cellMap`'s visible columns through `tfMap` (x in
// columns, y in normalised frequency; its pixel size is the raster size).
// The background is the grey of 0 clipped into Amin .. Amax; a positive
// value is drawn where it is darker than the pixel, a negative one where it
// is lighter, and 0 never. Throws VorentaError from GreyMapping::Validate.
void RenderPoints(const FTA& analysis, const Scale& cellMap, const Scale& tfMap, const GreyMapping& grey,
                  ImageFTA& image, const RenderProgress& progress = {});

}  // namespace vorenta
