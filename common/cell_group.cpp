#include "common/cell_group.h"

#include <vector>

namespace tovek {

std::size_t ReadCells(CodedReader& reader, bool oneBytePerCell, std::span<MapCell> cells) {
    const std::vector<std::uint8_t> payload = reader.GetRemainingCodedBytes();
    PlainBytes bytes(payload);
    std::size_t complete = 0;
    for (std::size_t i = 0; i < cells.size() && !bytes.AtEnd(); ++i) {
        cells[i] = ReadCellGroup(bytes, oneBytePerCell).cell;
        if (bytes.Position() <= payload.size()) ++complete;
    }
    return complete;
}

}  // namespace tovek
