#include "game/core/reporting_record_store.h"

#include <utility>

namespace tovek {

ReportingRecordStore::ReportingRecordStore(RecordStore& store, std::ostream& report,
                                           std::string programName)
    : store_(store), report_(report), programName_(std::move(programName)) {}

StoredRecords ReportingRecordStore::Load(const std::filesystem::path& stageFolder) {
    return store_.Load(stageFolder);
}

std::error_code ReportingRecordStore::Save(const std::filesystem::path& stageFolder,
                                           const HighScoreTable& table, KeyMaterial keys) {
    const std::error_code error = store_.Save(stageFolder, table, keys);
    if (error) {
        report_ << programName_ << ": the new record cannot be saved to "
                << HighScoreFilePath(stageFolder).string() << ": " << error.message() << std::endl;
    }
    return error;
}

}  // namespace tovek
