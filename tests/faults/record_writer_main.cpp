// record_writer FOLDER FIRST: rewrites FOLDER/hscore.dat through the game's
// record file again and again, every record FIRST, then FIRST + 1, and so on,
// so that a test can kill a real writer at any moment of a write.
#include <cstdlib>
#include <string>

#include "common/random_source.h"
#include "game/core/record_store.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::filesystem::path folder = argv[1];
    const long first = std::strtol(argv[2], nullptr, 10);
    tovek::RecordFile records;
    tovek::RandomSource random(static_cast<std::uint64_t>(first));
    // Bounded, so that a writer nobody kills still ends.
    for (long record = first; record < first + 100000; ++record) {
        tovek::HighScoreTable table;
        table.fill(static_cast<std::int32_t>(record % 30000));
        if (records.Save(folder, table, tovek::DrawKeyMaterial(random))) return 1;
    }
    return 0;
}
