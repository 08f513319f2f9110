// Our Surface drawing calls against SDL2's software blitter doing the same
// copies on surfaces of the same pixel format (XRGB8888, no window).
//
// Pairs, each run as Tovek then SDL2:
//  - CellCopy:   one 32 x 32 cell, BitBlt SRCCOPY vs SDL_BlitSurface.
//  - Stretch2x:  a 64 x 64 background to 128 x 128, StretchBlt vs SDL_BlitScaled.
//  - MaskedCell: our AND-mask then OR-picture pair vs one SDL_BlitSurface of the
//                picture with black as its colour key (the same visible result).
//  - Frame:      a whole 384 x 256 play frame: 12 doubled background copies
//                and 117 masked cells, the cells partly off the view as when
//                scrolling.
//  - Present:    the 384 x 256 view stretched to a 1024 x 668 maximised window.
// And ours alone:
//  - PortDigits: 100 one-digit port numbers printed at 12 pt, as on a frame
//                full of ports (glyphs come from the cache).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/surface.h"
#include "common/text.h"

namespace tovek {
namespace {

constexpr int kViewWidth = 384;
constexpr int kViewHeight = 256;

Surface Sheet(int width, int height) {
    Surface sheet(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Cells with a solid middle and a transparent rim (white mask, black picture).
            const int cx = x % 32, cy = y % 32;
            const bool solid = cx > 4 && cx < 27 && cy > 6 && cy < 29;
            const bool maskRow = (y / 32) % 2 == 0;
            const std::uint32_t colour = 0x102030u * static_cast<std::uint32_t>(x + 3 * y) + 1;
            sheet.SetPixel(x, y, maskRow ? (solid ? 0 : 0xFFFFFF) : (solid ? colour : 0));
        }
    }
    return sheet;
}

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurface = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

SdlSurface ToSdl(const Surface& surface) {
    SdlSurface result(SDL_CreateRGBSurfaceWithFormat(0, surface.Width(), surface.Height(), 32,
                                                     SDL_PIXELFORMAT_RGB888));
    for (int y = 0; y < surface.Height(); ++y) {
        std::memcpy(static_cast<char*>(result->pixels) + y * result->pitch, surface.Row(y),
                    static_cast<std::size_t>(surface.Width()) * 4);
    }
    return result;
}

// The 117 cell places of a frame scrolled by (offX, offY) = (-13, -21).
template <typename Draw>
void ForEachCell(Draw draw) {
    int cell = 0;
    for (int r = -1; r <= 7; ++r) {
        for (int c = -1; c <= 11; ++c) {
            draw(32 * c + 13, 32 * r + 21, cell++ % 16);
        }
    }
}

// The 12 doubled background copies of a frame, bgX = 128 - 2 * 21, bgY = 128 - 2 * 9.
template <typename Draw>
void ForEachBackground(Draw draw) {
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 2; ++i) {
            draw(86 + 128 * i, 110 + 128 * j);
        }
    }
}

void CellCopyTovek(benchmark::State& state) {
    const Surface sheet = Sheet(512, 160);
    Surface view(kViewWidth, kViewHeight);
    int cell = 0;
    for (auto _ : state) {
        BitBlt(view, (cell % 12) * 32, (cell / 12 % 8) * 32, 32, 32, sheet, (cell % 16) * 32, 32,
               RasterOp::SrcCopy);
        cell = (cell + 1) % 96;
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view.Row(0));
}

void CellCopySdl(benchmark::State& state) {
    const SdlSurface sheet = ToSdl(Sheet(512, 160));
    const SdlSurface view = ToSdl(Surface(kViewWidth, kViewHeight));
    int cell = 0;
    for (auto _ : state) {
        SDL_Rect from{(cell % 16) * 32, 32, 32, 32};
        SDL_Rect to{(cell % 12) * 32, (cell / 12 % 8) * 32, 32, 32};
        SDL_BlitSurface(sheet.get(), &from, view.get(), &to);
        cell = (cell + 1) % 96;
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view->pixels);
}

void Stretch2xTovek(benchmark::State& state) {
    const Surface backgrounds = Sheet(256, 256);
    Surface view(kViewWidth, kViewHeight);
    for (auto _ : state) {
        StretchBlt(view, 100, 64, 128, 128, backgrounds, 64, 128, 64, 64, RasterOp::SrcCopy);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view.Row(0));
}

void Stretch2xSdl(benchmark::State& state) {
    const SdlSurface backgrounds = ToSdl(Sheet(256, 256));
    const SdlSurface view = ToSdl(Surface(kViewWidth, kViewHeight));
    for (auto _ : state) {
        SDL_Rect from{64, 128, 64, 64};
        SDL_Rect to{100, 64, 128, 128};
        SDL_BlitScaled(backgrounds.get(), &from, view.get(), &to);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view->pixels);
}

void MaskedCellTovek(benchmark::State& state) {
    const Surface sheet = Sheet(512, 160);
    Surface view(kViewWidth, kViewHeight, 0x336699);
    int cell = 0;
    for (auto _ : state) {
        const int x = (cell % 12) * 32, y = (cell / 12 % 8) * 32;
        BitBlt(view, x, y, 32, 32, sheet, (cell % 16) * 32, 64, RasterOp::SrcAnd);
        BitBlt(view, x, y, 32, 32, sheet, (cell % 16) * 32, 96, RasterOp::SrcPaint);
        cell = (cell + 1) % 96;
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view.Row(0));
}

void MaskedCellSdl(benchmark::State& state) {
    const SdlSurface sheet = ToSdl(Sheet(512, 160));
    SDL_SetColorKey(sheet.get(), SDL_TRUE, 0);
    const SdlSurface view = ToSdl(Surface(kViewWidth, kViewHeight, 0x336699));
    int cell = 0;
    for (auto _ : state) {
        SDL_Rect from{(cell % 16) * 32, 96, 32, 32};
        SDL_Rect to{(cell % 12) * 32, (cell / 12 % 8) * 32, 32, 32};
        SDL_BlitSurface(sheet.get(), &from, view.get(), &to);
        cell = (cell + 1) % 96;
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view->pixels);
}

void FrameTovek(benchmark::State& state) {
    const Surface sheet = Sheet(512, 160);
    const Surface backgrounds = Sheet(256, 256);
    Surface view(kViewWidth, kViewHeight);
    for (auto _ : state) {
        ForEachBackground([&](int x, int y) {
            StretchBlt(view, x, y, 128, 128, backgrounds, 128, 64, 64, 64, RasterOp::SrcCopy);
        });
        ForEachCell([&](int x, int y, int column) {
            BitBlt(view, x, y, 32, 32, sheet, column * 32, 64, RasterOp::SrcAnd);
            BitBlt(view, x, y, 32, 32, sheet, column * 32, 96, RasterOp::SrcPaint);
        });
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view.Row(0));
}

void FrameSdl(benchmark::State& state) {
    const SdlSurface sheet = ToSdl(Sheet(512, 160));
    SDL_SetColorKey(sheet.get(), SDL_TRUE, 0);
    const SdlSurface backgrounds = ToSdl(Sheet(256, 256));
    const SdlSurface view = ToSdl(Surface(kViewWidth, kViewHeight));
    for (auto _ : state) {
        ForEachBackground([&](int x, int y) {
            SDL_Rect from{128, 64, 64, 64};
            SDL_Rect to{x, y, 128, 128};
            SDL_BlitScaled(backgrounds.get(), &from, view.get(), &to);
        });
        ForEachCell([&](int x, int y, int column) {
            SDL_Rect from{column * 32, 96, 32, 32};
            SDL_Rect to{x, y, 32, 32};
            SDL_BlitSurface(sheet.get(), &from, view.get(), &to);
        });
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view->pixels);
}

void PresentTovek(benchmark::State& state) {
    const Surface view = Sheet(kViewWidth, kViewHeight);
    Surface window(1024, 668);
    for (auto _ : state) {
        StretchBlt(window, 0, 0, 1024, 668, view, 0, 0, kViewWidth, kViewHeight, RasterOp::SrcCopy);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(window.Row(0));
}

void PresentSdl(benchmark::State& state) {
    const SdlSurface view = ToSdl(Sheet(kViewWidth, kViewHeight));
    const SdlSurface window = ToSdl(Surface(1024, 668));
    for (auto _ : state) {
        SDL_Rect to{0, 0, 1024, 668};
        SDL_BlitScaled(view.get(), nullptr, window.get(), &to);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(window->pixels);
}

void PortDigitsTovek(benchmark::State& state) {
    std::string error;
    const std::unique_ptr<TextPainter> painter = TextPainter::Create(FontFace::Serif, &error);
    if (!painter) {
        state.SkipWithError(error.c_str());
        return;
    }
    Surface view(kViewWidth, kViewHeight, 0xC0A0E0);
    const TextStyle style{12, false, 0};
    static constexpr const char* kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                              "8", "9", "A", "B", "C", "D", "E", "F"};
    for (auto _ : state) {
        for (int port = 0; port < 100; ++port) {
            painter->Print(view, (port % 12) * 32 + 12, (port / 12) * 32 + 17, kDigits[port % 16],
                           style);
        }
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(view.Row(0));
}

BENCHMARK(CellCopyTovek)->Name("CellCopy/Tovek");
BENCHMARK(CellCopySdl)->Name("CellCopy/SDL2");
BENCHMARK(Stretch2xTovek)->Name("Stretch2x/Tovek");
BENCHMARK(Stretch2xSdl)->Name("Stretch2x/SDL2");
BENCHMARK(MaskedCellTovek)->Name("MaskedCell/Tovek");
BENCHMARK(MaskedCellSdl)->Name("MaskedCell/SDL2");
BENCHMARK(FrameTovek)->Name("Frame/Tovek")->Unit(benchmark::kMicrosecond);
BENCHMARK(FrameSdl)->Name("Frame/SDL2")->Unit(benchmark::kMicrosecond);
BENCHMARK(PresentTovek)->Name("Present/Tovek")->Unit(benchmark::kMicrosecond);
BENCHMARK(PresentSdl)->Name("Present/SDL2")->Unit(benchmark::kMicrosecond);
BENCHMARK(PortDigitsTovek)->Name("PortDigits/Tovek")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tovek

BENCHMARK_MAIN();
