#pragma once

#include <QImage>

#include "common/surface.h"

namespace quorle {

// A read-only QImage over the surface's own pixels, without a copy. Its
// 0x00RRGGBB pixels are what Format_RGB32 holds (the top byte is not read),
// so the picture is shown exactly. Valid while the surface keeps its size.
inline QImage SurfaceImage(const tovek::Surface& surface) {
    return QImage(reinterpret_cast<const uchar*>(surface.Pixels().data()), surface.Width(),
                  surface.Height(), static_cast<qsizetype>(surface.Width()) * 4,
                  QImage::Format_RGB32);
}

}  // namespace quorle
