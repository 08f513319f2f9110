#pragma once

#include <ostream>
#include <string>

#include "game/core/record_store.h"

namespace tovek {

// Another store's records, with one line on `report` for every save that
// fails, naming the file and the reason: a record that cannot be written must
// not be lost in silence.
class ReportingRecordStore : public RecordStore {
  public:
    ReportingRecordStore(RecordStore& store, std::ostream& report, std::string programName);

    StoredRecords Load(const std::filesystem::path& stageFolder) override;
    std::error_code Save(const std::filesystem::path& stageFolder, const HighScoreTable& table,
                         KeyMaterial keys) override;
    bool KeepsRecords() const override { return store_.KeepsRecords(); }

  private:
    RecordStore& store_;
    std::ostream& report_;
    std::string programName_;
};

}  // namespace tovek
