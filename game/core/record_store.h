#pragma once

#include <filesystem>
#include <system_error>

#include "common/coded_stream.h"
#include "common/file_faults.h"
#include "common/high_score_file.h"

namespace tovek {

// What a store gave at start-up.
struct StoredRecords {
    HighScoreTable table{};  // all 0 when none are stored or they cannot be read
    // Set when records exist but cannot be read (a file that cannot be
    // opened or read): the game plays on with 0 and says so once.
    std::error_code readError;
};

// Where the per-stage records live between runs. The game and tovek-sim keep
// them in hscore.dat in the stage folder; a solver or a play-test keeps none.
class RecordStore {
  public:
    virtual ~RecordStore() = default;
    virtual StoredRecords Load(const std::filesystem::path& stageFolder) = 0;
    // Stores the whole table under the given key material; the reason on failure.
    virtual std::error_code Save(const std::filesystem::path& stageFolder,
                                 const HighScoreTable& table, KeyMaterial keys) = 0;
    // False for a store that forgets: its records are never announced as new.
    virtual bool KeepsRecords() const { return true; }
};

// hscore.dat in the stage folder. Saving reads the file again under a lock
// on the folder and keeps, per stage, the higher record, so that games
// sharing the folder never undo each other's records; a file that exists
// and cannot be read is never written over.
class RecordFile : public RecordStore {
  public:
    // `faults` lets tests fail the file's reads and writes.
    explicit RecordFile(FileFaults* faults = nullptr) : faults_(faults) {}

    StoredRecords Load(const std::filesystem::path& stageFolder) override;
    std::error_code Save(const std::filesystem::path& stageFolder, const HighScoreTable& table,
                         KeyMaterial keys) override;

  private:
    FileFaults* faults_;
};

// Starts from no records and writes nothing: a record set here lasts only as
// long as the game object.
class NoRecords : public RecordStore {
  public:
    StoredRecords Load(const std::filesystem::path&) override { return {}; }
    std::error_code Save(const std::filesystem::path&, const HighScoreTable&,
                         KeyMaterial) override {
        return {};
    }
    bool KeepsRecords() const override { return false; }
};

}  // namespace tovek
