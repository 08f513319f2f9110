// The record file: what the game keeps when hscore.dat cannot be read, and
// what two games sharing a stage folder keep.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <future>
#include <thread>

#include "common/file_access.h"
#include "common/high_score_file.h"
#include "game/core/high_scores.h"
#include "game/core/keyboard.h"
#include "game/core/record_store.h"
#include "game/core/startup.h"
#include "tests/game/game_fixture.h"
#include "tests/support/failing_step.h"
#include "tests/support/scrambled_bytes.h"

namespace tovek::testing {
namespace {

namespace fs = std::filesystem;
using test::FailingStep;

constexpr KeyMaterial kKeys{7, 9};

HighScoreTable TableOf(std::initializer_list<std::pair<int, std::int32_t>> records) {
    HighScoreTable table{};
    for (const auto& [stage, record] : records)
        table[static_cast<std::size_t>(stage - 1)] = record;
    return table;
}

class RecordFileTest : public GameTest {
  protected:
    fs::path StageFolder() const { return folder_ / "data"; }
    fs::path FilePath() const { return StageFolder() / "hscore.dat"; }
    void WriteRecords(const HighScoreTable& table) {
        test::WriteFile(FilePath(), WriteHighScores(table, kKeys));
    }
    std::vector<std::uint8_t> FileBytes() const { return ReadFileBytes(FilePath()).value(); }
};

const std::vector<std::string> kShortStage = {
    "............", "............", "............", "............",
    "............", "............", "S.G.........", "############",
};

TEST_F(RecordFileTest, AMissingFileMeansNoRecordsAndNoMessage) {
    const StoredRecords stored = RecordFile().Load(StageFolder());
    EXPECT_EQ(stored.table, HighScoreTable{});
    EXPECT_FALSE(stored.readError);
    StartGame();
    EXPECT_EQ(game_.lblMain[0], Game().lblMain[0]);
}

// A file that exists and cannot be read (here a refused open, a failing read
// and a named pipe) is not a missing file: the game plays on with 0, says so
// once, and never writes over the file.
TEST_F(RecordFileTest, AnUnreadableFileIsNeverWrittenOver) {
    HighScoreTable full{};
    full.fill(99);
    WriteRecords(full);
    const std::vector<std::uint8_t> before = FileBytes();
    for (FailingStep fault : {FailingStep(FileStep::Open, std::errc::permission_denied),
                              FailingStep(FileStep::Read, std::errc::io_error)}) {
        RecordFile records(&fault);
        const StoredRecords stored = records.Load(StageFolder());
        EXPECT_EQ(stored.table, HighScoreTable{});
        EXPECT_TRUE(stored.readError);
        EXPECT_TRUE(records.Save(StageFolder(), TableOf({{1, 1}}), kKeys));
        EXPECT_EQ(FileBytes(), before);
    }

    FailingStep refused(FileStep::Open, std::errc::permission_denied);
    RecordFile unreadable(&refused);
    game_.services.records = &unreadable;
    Play(kShortStage);
    EXPECT_EQ(game_.lblMain[0], "ステージ1");
    Press(kKeyRight);
    for (int i = 0; i < 30 && !game_.stageCleared; ++i)
        Tick();
    ASSERT_TRUE(game_.stageCleared);
    EXPECT_EQ(GetStageHighScore(game_, 1), 600);
    EXPECT_EQ(FileBytes(), before);

    Game later;
    later.programFolder = folder_;
    later.services = game_.services;
    Form_Load(later);
    EXPECT_EQ(later.lblMain[0], kRecordsUnreadableText);
    EXPECT_EQ(GetStageHighScore(later, 2), 0);

    fs::remove(FilePath());
    ASSERT_EQ(::mkfifo(FilePath().c_str(), 0644), 0);
    EXPECT_TRUE(RecordFile().Load(StageFolder()).readError);
    EXPECT_TRUE(RecordFile().Save(StageFolder(), full, kKeys));
    EXPECT_TRUE(fs::is_fifo(FilePath()));
}

// A full disk or a failing rename during a save: the old records stay whole
// and the failure is reported.
TEST_F(RecordFileTest, AFailedWriteKeepsTheOldRecordsAndSaysWhy) {
    WriteRecords(TableOf({{1, 300}}));
    const std::vector<std::uint8_t> before = FileBytes();
    for (FailingStep fault : {FailingStep(FileStep::Write, std::errc::no_space_on_device, 100),
                              FailingStep(FileStep::Rename, std::errc::io_error)}) {
        RecordFile records(&fault);
        EXPECT_TRUE(records.Save(StageFolder(), TableOf({{1, 900}}), kKeys));
        EXPECT_EQ(FileBytes(), before);
    }
}

// Each game writes back what it read at start plus its own record; the file
// keeps, per stage, the higher record of the two.
TEST_F(RecordFileTest, TwoGamesSharingAFolderKeepEachOthersRecords) {
    WriteRecords(TableOf({{1, 300}, {2, 300}}));
    RecordFile first;
    RecordFile second;
    HighScoreTable firstTable = first.Load(StageFolder()).table;
    HighScoreTable secondTable = second.Load(StageFolder()).table;
    firstTable[0] = 600;
    ASSERT_FALSE(first.Save(StageFolder(), firstTable, kKeys));
    secondTable[1] = 500;
    ASSERT_FALSE(second.Save(StageFolder(), secondTable, kKeys));
    EXPECT_EQ(ReadHighScores(FileBytes()), TableOf({{1, 600}, {2, 500}}));
}

// The file is read again under the folder's lock: a record written by another
// game while this one waited for the lock is kept.
TEST_F(RecordFileTest, ASaveWaitsForTheFolderLockAndReadsAgain) {
    std::future<std::error_code> saved;
    {
        const FolderLock other(StageFolder());
        saved = std::async(std::launch::async, [&] {
            return RecordFile().Save(StageFolder(), TableOf({{3, 700}}), kKeys);
        });
        EXPECT_EQ(saved.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
        WriteRecords(TableOf({{4, 800}}));
    }
    EXPECT_FALSE(saved.get());
    EXPECT_EQ(ReadHighScores(FileBytes()), TableOf({{3, 700}, {4, 800}}));
}

}  // namespace
}  // namespace tovek::testing
