#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "assets/generators/image.h"

namespace tovek::assets {

// Helpers for painting backgrounds that wrap at 64 pixels: every pattern here
// is periodic in x and y, so a painted square repeats without a seam.
class WrappedCanvas {
  public:
    static constexpr int kSize = 64;

    WrappedCanvas() : image_(kSize, kSize) {}

    void Set(int x, int y, Rgb colour) { image_.Set(Wrap(x), Wrap(y), colour); }
    Rgb At(int x, int y) const { return image_.At(Wrap(x), Wrap(y)); }
    void FillCircle(double cx, double cy, double r, Rgb colour);
    // Pixels whose centres lie inside the polygon, drawn around the wrap.
    void FillPolygon(std::initializer_list<std::pair<double, double>> points, Rgb colour);
    const Image& Picture() const { return image_; }

    static int Wrap(int v) { return ((v % kSize) + kSize) % kSize; }

  private:
    Image image_;
};

// Colours from dark to light; Pick dithers between neighbours (4 x 4 Bayer
// order) so that smooth fields come out as a few flat palette colours.
using Ramp = std::vector<Rgb>;
Rgb Pick(const Ramp& ramp, double value, int x, int y);

Rgb Mix(Rgb a, Rgb b, double t);

// Values in [0, 1).
double Hash01(int x, int y, int seed);

// Smooth value noise whose lattice has `cellsX` by `cellsY` cells across the
// tile and wraps, so the noise repeats every 64 pixels; `octaves` doublings
// are summed and normalised to [0, 1].
double WrappedNoise(double x, double y, int cellsX, int cellsY, int octaves, int seed);

// sin(2 pi turns x / 64): periodic over the tile for whole `turns`.
double TileWave(double x, int turns, double phase = 0.0);

}  // namespace tovek::assets
