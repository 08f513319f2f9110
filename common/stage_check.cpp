#include "common/stage_check.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "common/cell_group.h"
#include "common/coded_stream.h"
#include "common/stage_file.h"
#include "common/stage_limits.h"

namespace tovek {
namespace {

constexpr std::size_t kHeaderBytes = 5;

std::string ListBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        text += std::to_string(byte);
    }
    return text;
}

std::string CellName(int x, int y) {
    return "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// The problem with a completed group, or "" when the editor writes its cell
// exactly so. `bytes` are the group's plain bytes.
std::string GroupProblem(const CellGroup& group, std::span<const std::uint8_t> bytes) {
    if (group.escapeOutOfRange) {
        return "escape " + std::to_string(bytes[bytes.size() - 2]) + " followed by " +
               std::to_string(bytes.back()) + " (the editor writes 0..15)";
    }
    std::array<std::uint8_t, kMaxEditorGroupBytes> form;
    const auto expected = std::span(form).first(EncodeCellGroup(group.cell, form));
    if (std::ranges::equal(bytes, expected)) return {};
    return "bytes " + ListBytes(bytes) + " are not in the editor's form (" + ListBytes(expected) +
           ")";
}

}  // namespace

std::vector<std::string> FindStageProblems(std::span<const std::uint8_t> bytes) {
    std::vector<std::string> problems;
    if (bytes.size() < kHeaderBytes) {
        problems.push_back("the file ends inside the header (" + std::to_string(bytes.size()) +
                           " of 5 bytes)");
        return problems;
    }
    CodedReader reader(bytes);
    if (reader.Material().multiplier % 2 == 0) {
        problems.push_back("multiplier " + std::to_string(reader.Material().multiplier) +
                           " is even (the editor draws odd multipliers)");
    }
    const StageHeader header = ReadStageHeader(reader);
    if (header.width < kMinMapWidth) {
        problems.push_back("width " + std::to_string(header.width) + " is outside 12..255");
    }
    if (header.height < kMinMapHeight) {
        problems.push_back("height " + std::to_string(header.height) + " is outside 8..255");
    }
    const std::vector<std::uint8_t> payload = reader.GetRemainingCodedBytes();
    PlainBytes cells(payload);
    for (int y = 0; y < header.height; ++y) {
        for (int x = 0; x < header.width; ++x) {
            if (cells.AtEnd()) {
                const int missing = (header.height - y) * header.width - x;
                problems.push_back("the file ends before " + CellName(x, y) + " (" +
                                   std::to_string(missing) + " cells missing)");
                return problems;
            }
            const std::size_t start = cells.Position();
            const CellGroup group = ReadCellGroup(cells, header.oneBytePerCell);
            if (cells.Position() > payload.size()) {
                problems.push_back("the file ends inside " + CellName(x, y));
                return problems;
            }
            const auto bytes = std::span(payload).subspan(start, cells.Position() - start);
            if (std::string problem = GroupProblem(group, bytes); !problem.empty()) {
                problems.push_back(CellName(x, y) + ": " + problem);
            }
        }
    }
    if (cells.Position() < payload.size()) {
        problems.push_back(std::to_string(payload.size() - cells.Position()) +
                           " bytes after the last cell");
    }
    return problems;
}

}  // namespace tovek
