// BitBlt and StretchBlt over Surfaces.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/surface.h"

namespace tovek {
namespace {

bool IsKnown(RasterOp op) {
    return op == RasterOp::SrcCopy || op == RasterOp::SrcAnd || op == RasterOp::SrcPaint;
}

// The loops the renderers spend their time in; the compiler vectorises them.
// Source and destination never overlap here (overlapping blocks are copied
// aside first).
template <RasterOp op>
void ApplyRowOf(std::uint32_t* __restrict dst, const std::uint32_t* __restrict src, int count) {
    if constexpr (op == RasterOp::SrcCopy) {
        std::memcpy(dst, src, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    } else if constexpr (op == RasterOp::SrcAnd) {
        for (int i = 0; i < count; ++i) {
            dst[i] &= src[i];
        }
    } else {
        for (int i = 0; i < count; ++i) {
            dst[i] |= src[i];
        }
    }
}

// count x rows pixels; strides in pixels. Whole cells get a loop of fixed
// length, which the compiler unrolls completely.
template <RasterOp op>
void ApplyBlockOf(std::uint32_t* dst, std::ptrdiff_t dstStride, const std::uint32_t* src,
                  std::ptrdiff_t srcStride, int count, int rows) {
    constexpr int kCellWidth = 32;
    if (count == kCellWidth) {
        for (int row = 0; row < rows; ++row) {
            ApplyRowOf<op>(dst + row * dstStride, src + row * srcStride, kCellWidth);
        }
        return;
    }
    for (int row = 0; row < rows; ++row) {
        ApplyRowOf<op>(dst + row * dstStride, src + row * srcStride, count);
    }
}

void ApplyBlock(RasterOp op, std::uint32_t* dst, std::ptrdiff_t dstStride, const std::uint32_t* src,
                std::ptrdiff_t srcStride, int count, int rows) {
    switch (op) {
        case RasterOp::SrcCopy:
            return ApplyBlockOf<RasterOp::SrcCopy>(dst, dstStride, src, srcStride, count, rows);
        case RasterOp::SrcAnd:
            return ApplyBlockOf<RasterOp::SrcAnd>(dst, dstStride, src, srcStride, count, rows);
        case RasterOp::SrcPaint:
            return ApplyBlockOf<RasterOp::SrcPaint>(dst, dstStride, src, srcStride, count, rows);
    }
}

void ApplyRow(RasterOp op, std::uint32_t* dst, const std::uint32_t* src, int count) {
    ApplyBlock(op, dst, 0, src, 0, count, 1);
}

// Steps i of [first, last) whose position start + i (or start - i when
// backward) lies in [0, limit). Empty when first >= last.
struct StepRange {
    long long first;
    long long last;
};

StepRange StepsInside(long long start, long long count, bool backward, long long limit) {
    if (backward) return {std::max(0LL, start - limit + 1), std::min(count, start + 1)};
    return {std::max(0LL, -start), std::min(count, limit - start)};
}

StepRange Intersect(StepRange a, StepRange b) {
    return {std::max(a.first, b.first), std::min(a.last, b.last)};
}

// The block [x, x + w) x [y, y + h) of src as a surface of its own.
Surface CopyBlock(const Surface& src, int x, int y, int w, int h) {
    Surface block(w, h);
    for (int row = 0; row < h; ++row) {
        std::memcpy(block.Row(row), src.Row(y + row) + x,
                    static_cast<std::size_t>(w) * sizeof(std::uint32_t));
    }
    return block;
}

// One axis of a stretch after clipping: destination positions dstFirst,
// dstFirst + 1, ... read source positions source[0], source[1], ...
struct AxisPlan {
    int dstFirst = 0;
    std::vector<int> source;
    bool identity = false;     // source[k] == source[0] + k
    bool doubling = false;     // every source position is read twice in a row
    bool startsOnOdd = false;  // with doubling: the first one is read only once
};

AxisPlan PlanAxis(int pos, int extent, int limit, int srcPos, int srcExtent, int srcLimit) {
    AxisPlan plan;
    const long long steps = std::llabs(static_cast<long long>(extent));
    const long long srcSteps = std::llabs(static_cast<long long>(srcExtent));
    const bool backward = extent < 0;
    const bool srcBackward = srcExtent < 0;
    const StepRange range = StepsInside(pos, steps, backward, limit);
    if (range.first >= range.last) return plan;

    // Source step of destination step i: floor((2i + 1) * srcSteps / (2 * steps)),
    // kept as quotient and remainder so that each step is one addition.
    const unsigned long long denominator = 2ULL * static_cast<unsigned long long>(steps);
    const unsigned long long numeratorStep = 2ULL * static_cast<unsigned long long>(srcSteps);
    const unsigned long long firstNumerator =
        (2ULL * static_cast<unsigned long long>(range.first) + 1) *
        static_cast<unsigned long long>(srcSteps);
    long long quotient = static_cast<long long>(firstNumerator / denominator);
    unsigned long long remainder = firstNumerator % denominator;
    const long long quotientStep = static_cast<long long>(numeratorStep / denominator);
    const unsigned long long remainderStep = numeratorStep % denominator;

    plan.source.reserve(static_cast<std::size_t>(range.last - range.first));
    long long firstDrawn = -1;
    long long lastDrawn = -1;
    for (long long i = range.first; i < range.last; ++i) {
        const long long source = srcBackward ? srcPos - quotient : srcPos + quotient;
        if (source >= 0 && source < srcLimit) {
            if (firstDrawn < 0) firstDrawn = i;
            lastDrawn = i;
            plan.source.push_back(static_cast<int>(source));
        } else if (firstDrawn >= 0) {
            break;  // the source positions inside form one run
        }
        quotient += quotientStep;
        remainder += remainderStep;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++quotient;
        }
    }
    if (plan.source.empty()) return plan;

    if (backward) {
        std::reverse(plan.source.begin(), plan.source.end());
        plan.dstFirst = static_cast<int>(pos - lastDrawn);
    } else {
        plan.dstFirst = static_cast<int>(pos + firstDrawn);
    }
    plan.identity = true;
    for (std::size_t k = 0; k < plan.source.size(); ++k) {
        if (plan.source[k] != plan.source[0] + static_cast<int>(k)) {
            plan.identity = false;
            break;
        }
    }
    plan.doubling = !backward && !srcBackward && steps == 2 * srcSteps;
    plan.startsOnOdd = plan.doubling && firstDrawn % 2 == 1;
    return plan;
}

// Writes every pixel of in twice into out (count pairs); vectorised.
void DoublePixels(const std::uint32_t* __restrict in, std::uint32_t* __restrict out, int count) {
    for (int k = 0; k < count; ++k) {
        out[2 * k] = in[k];
        out[2 * k + 1] = in[k];
    }
}

// Fills out with the pixels of row that plan reads, in destination order.
void GatherRow(const AxisPlan& plan, const std::uint32_t* row, std::uint32_t* out) {
    const int count = static_cast<int>(plan.source.size());
    if (plan.doubling) {
        const std::uint32_t* in = row + plan.source[0];
        int k = 0;
        if (plan.startsOnOdd) out[k++] = *in++;
        const int pairs = (count - k) / 2;
        DoublePixels(in, out + k, pairs);
        k += 2 * pairs;
        if (k < count) out[k] = in[pairs];
        return;
    }
    for (int k = 0; k < count; ++k) {
        out[k] = row[plan.source[k]];
    }
}

// One row read backwards: dst[k] op= from[-k].
template <RasterOp op>
void ApplyReversedRowOf(std::uint32_t* __restrict dst, const std::uint32_t* __restrict from,
                        int count) {
    for (int k = 0; k < count; ++k) {
        if constexpr (op == RasterOp::SrcCopy) {
            dst[k] = from[-k];
        } else if constexpr (op == RasterOp::SrcAnd) {
            dst[k] &= from[-k];
        } else {
            dst[k] |= from[-k];
        }
    }
}

void ApplyReversedRow(RasterOp op, std::uint32_t* dst, const std::uint32_t* from, int count) {
    switch (op) {
        case RasterOp::SrcCopy:
            return ApplyReversedRowOf<RasterOp::SrcCopy>(dst, from, count);
        case RasterOp::SrcAnd:
            return ApplyReversedRowOf<RasterOp::SrcAnd>(dst, from, count);
        case RasterOp::SrcPaint:
            return ApplyReversedRowOf<RasterOp::SrcPaint>(dst, from, count);
    }
}

// A copy at the same size read backwards along one or both source axes (the
// renderers' mirrored and upside-down figures): no stretch plan to build.
void MirroredCopy(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                  bool mirrored, bool upsideDown, RasterOp op) {
    const StepRange cols =
        Intersect(StepsInside(x, w, false, dst.Width()), StepsInside(sx, w, mirrored, src.Width()));
    const StepRange rows = Intersect(StepsInside(y, h, false, dst.Height()),
                                     StepsInside(sy, h, upsideDown, src.Height()));
    if (cols.first >= cols.last || rows.first >= rows.last) return;
    const int count = static_cast<int>(cols.last - cols.first);
    const int first = static_cast<int>(cols.first);
    for (long long i = rows.first; i < rows.last; ++i) {
        std::uint32_t* target = dst.Row(static_cast<int>(y + i)) + x + first;
        const std::uint32_t* line = src.Row(static_cast<int>(upsideDown ? sy - i : sy + i));
        if (mirrored) {
            ApplyReversedRow(op, target, line + sx - first, count);
        } else {
            ApplyRow(op, target, line + sx + first, count);
        }
    }
}

// Makes the plan read from a copy of the source that starts at offset.
void ShiftSources(AxisPlan& plan, int offset) {
    for (int& source : plan.source) {
        source -= offset;
    }
}

}  // namespace

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
    if (w <= 0 || h <= 0 || !IsKnown(op)) return;
    const StepRange cols =
        Intersect(StepsInside(x, w, false, dst.Width()), StepsInside(sx, w, false, src.Width()));
    const StepRange rows =
        Intersect(StepsInside(y, h, false, dst.Height()), StepsInside(sy, h, false, src.Height()));
    if (cols.first >= cols.last || rows.first >= rows.last) return;
    const int count = static_cast<int>(cols.last - cols.first);
    const int dstX = static_cast<int>(x + cols.first);
    const int dstY = static_cast<int>(y + rows.first);
    const int srcX = static_cast<int>(sx + cols.first);
    const int srcY = static_cast<int>(sy + rows.first);
    const int rowCount = static_cast<int>(rows.last - rows.first);

    const bool overlaps = &dst == &src && dstX < srcX + count && srcX < dstX + count &&
                          dstY < srcY + rowCount && srcY < dstY + rowCount;
    if (overlaps) {
        const Surface block = CopyBlock(src, srcX, srcY, count, rowCount);
        ApplyBlock(op, dst.Row(dstY) + dstX, dst.Width(), block.Row(0), count, count, rowCount);
        return;
    }
    ApplyBlock(op, dst.Row(dstY) + dstX, dst.Width(), src.Row(srcY) + srcX, src.Width(), count,
               rowCount);
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op) {
    if (w == 0 || h == 0 || sw == 0 || sh == 0 || !IsKnown(op)) return;
    if (w == sw && h == sh && w > 0 && h > 0) {
        BitBlt(dst, x, y, w, h, src, sx, sy, op);
        return;
    }
    const bool sameSize = w > 0 && h > 0 && std::llabs(static_cast<long long>(sw)) == w &&
                          std::llabs(static_cast<long long>(sh)) == h;
    if (sameSize && &dst != &src) {
        MirroredCopy(dst, x, y, w, h, src, sx, sy, sw < 0, sh < 0, op);
        return;
    }
    AxisPlan cols = PlanAxis(x, w, dst.Width(), sx, sw, src.Width());
    AxisPlan rows = PlanAxis(y, h, dst.Height(), sy, sh, src.Height());
    if (cols.source.empty() || rows.source.empty()) return;

    const Surface* source = &src;
    Surface block;
    if (&dst == &src) {
        // Read the whole source block before writing (mirroring in place).
        const auto [left, right] = std::minmax_element(cols.source.begin(), cols.source.end());
        const auto [top, bottom] = std::minmax_element(rows.source.begin(), rows.source.end());
        block = CopyBlock(src, *left, *top, *right - *left + 1, *bottom - *top + 1);
        const int blockLeft = *left;
        const int blockTop = *top;
        ShiftSources(cols, blockLeft);
        ShiftSources(rows, blockTop);
        source = &block;
    }

    // A gathered source row serves every destination row that reads it. A copy
    // gathers straight into its first destination row and copies that one on.
    const int count = static_cast<int>(cols.source.size());
    const bool gatherIntoDestination = op == RasterOp::SrcCopy;
    std::vector<std::uint32_t> buffer(cols.identity || gatherIntoDestination ? 0 : count);
    const std::uint32_t* gathered = nullptr;
    int gatheredRow = -1;
    for (std::size_t k = 0; k < rows.source.size(); ++k) {
        std::uint32_t* target = dst.Row(rows.dstFirst + static_cast<int>(k)) + cols.dstFirst;
        const int sourceRow = rows.source[k];
        const std::uint32_t* line = source->Row(sourceRow);
        if (cols.identity) {
            ApplyRow(op, target, line + cols.source[0], count);
            continue;
        }
        if (sourceRow != gatheredRow) {
            std::uint32_t* into = gatherIntoDestination ? target : buffer.data();
            GatherRow(cols, line, into);
            gathered = into;
            gatheredRow = sourceRow;
            if (gatherIntoDestination) continue;
        }
        ApplyRow(op, target, gathered, count);
    }
}

}  // namespace tovek
