#pragma once

#include <filesystem>
#include <system_error>

#include "common/coded_stream.h"
#include "common/high_score_file.h"

namespace tovek {

// Where the per-stage records live between runs. The game and tovek-sim keep
// them in hscore.dat in the stage folder; a solver or a play-test keeps none.
class RecordStore {
  public:
    virtual ~RecordStore() = default;
    // The stored records; all 0 when none are stored.
    virtual HighScoreTable Load(const std::filesystem::path& stageFolder) = 0;
    // Stores the whole table under the given key material; the reason on failure.
    virtual std::error_code Save(const std::filesystem::path& stageFolder,
                                 const HighScoreTable& table, KeyMaterial keys) = 0;
};

// hscore.dat in the stage folder.
class RecordFile : public RecordStore {
  public:
    HighScoreTable Load(const std::filesystem::path& stageFolder) override;
    std::error_code Save(const std::filesystem::path& stageFolder, const HighScoreTable& table,
                         KeyMaterial keys) override;
};

// Starts from no records and writes nothing: a record set here lasts only as
// long as the game object.
class NoRecords : public RecordStore {
  public:
    HighScoreTable Load(const std::filesystem::path&) override { return {}; }
    std::error_code Save(const std::filesystem::path&, const HighScoreTable&,
                         KeyMaterial) override {
        return {};
    }
};

}  // namespace tovek
