#include "common/sheets.h"

#include <embedded_assets.h>

#include "common/png_image.h"

namespace tovek {
namespace {

Surface DecodeSheet(std::span<const unsigned char> png, int width, int height) {
    std::optional<Surface> sheet = DecodePng(png);
    if (!sheet || sheet->Width() != width || sheet->Height() != height) {
        return Surface(width, height);
    }
    return std::move(*sheet);
}

}  // namespace

PictureSheets LoadPictureSheets() {
    return {
        DecodeSheet(embedded::PicMapPng(), kPicMapWidth, kPicMapHeight),
        DecodeSheet(embedded::PicPlayerPng(), kPicPlayerWidth, kPicPlayerHeight),
        DecodeSheet(embedded::PicBackBasePng(), kPicBackBaseWidth, kPicBackBaseHeight),
    };
}

}  // namespace tovek
