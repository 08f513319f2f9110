#include "common/cell_group.h"

#include <vector>

namespace tovek {

void ReadCells(CodedReader& reader, bool oneBytePerCell, std::span<MapCell> cells) {
    const std::vector<std::uint8_t> payload = reader.GetRemainingCodedBytes();
    PlainBytes bytes(payload);
    for (std::size_t i = 0; i < cells.size() && !bytes.AtEnd(); ++i) {
        cells[i] = ReadCellGroup(bytes, oneBytePerCell).cell;
    }
}

}  // namespace tovek
