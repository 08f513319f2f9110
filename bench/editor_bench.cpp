#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/sheets.h"
#include "common/text.h"
#include "editor/core/document.h"
#include "editor/core/editor.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/palette.h"
#include "editor/core/regions.h"
#include "editor/core/stage_files.h"
#include "editor/core/undo_redo.h"
#include "editor/play/play_test.h"

namespace {

using namespace quorle;

// Answers every box with its first button and shows no dialog.
class SilentServices : public EditorServices {
  public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        return request.buttons == MessageButtons::Ok || request.buttons == MessageButtons::OkCancel
                   ? MessageAnswer::Ok
                   : MessageAnswer::Yes;
    }
    void Beep() override {}
    void ShowStageDialog(StageDialog&) override {}
    void ShowSizeDialog(SizeDialog&) override {}
    void ShowPreview(PreviewWindow&) override {}
};

// An editor in a fresh program folder with its stage folder, map view focused.
class BenchEditor {
  public:
    BenchEditor()
        : folder_(std::filesystem::temp_directory_path() /
                  ("quorle-bench-" + std::to_string(std::random_device{}()))),
          editor_(services_, tovek::LoadPictureSheets(), PortFont()) {
        std::filesystem::create_directories(folder_ / "data");
        Form_Load(editor_, folder_);
        pctMain_GotFocus(editor_);
    }
    ~BenchEditor() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    Editor& operator*() { return editor_; }
    Editor* operator->() { return &editor_; }

  private:
    static std::unique_ptr<tovek::TextPainter> PortFont() {
        std::string error;
        return tovek::TextPainter::Create(tovek::FontFace::Serif, &error);
    }

    std::filesystem::path folder_;
    SilentServices services_;
    Editor editor_;
};

// Every layer of every cell busy: water, a masked tile or a port, a lift and
// an actor of the mirrored facing, so each cell takes the most drawing.
void FillBusyMap(Editor& editor, bool ports) {
    for (int y = 0; y < editor.mapHeight; ++y) {
        for (int x = 0; x < editor.mapWidth; ++x) {
            const int n = x + y;
            editor.map.At(x, y) =
                MapCell{.mainTile = static_cast<std::uint8_t>(ports ? 32 + n % 32 : 16 + n % 9),
                        .actorCode = static_cast<std::uint8_t>(48 + n % 16),
                        .liftCode = static_cast<std::uint8_t>(12 + n % 8),
                        .water = 25};
        }
    }
}

void LargestBusyMap(Editor& editor, bool ports) {
    SetMapSize(editor, 255, 255, true);
    FillBusyMap(editor, ports);
}

void BM_DrawMapView(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, state.range(0) == 1);
    for (auto _ : state) {
        DrawMapView(*editor);
        benchmark::DoNotOptimize(editor->pctMain.image.Row(0));
    }
}
BENCHMARK(BM_DrawMapView)->ArgName("ports")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_FillWholeMap(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, false);
    editor->chosenTile[0] = 40;
    for (auto _ : state)
        FillRegion(*editor, 0, 0, 254, 254, editor->chosenTile[0]);
}
BENCHMARK(BM_FillWholeMap)->Unit(benchmark::kMillisecond);

void BM_CutWholeMap(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, false);
    for (auto _ : state) {
        state.PauseTiming();
        FillBusyMap(*editor, false);
        state.ResumeTiming();
        CopyRegion(*editor, 0, 0, 254, 254, true);
    }
}
BENCHMARK(BM_CutWholeMap)->Unit(benchmark::kMillisecond);

void BM_PasteWholeMap(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, false);
    CopyRegion(*editor, 0, 0, 254, 254, true);
    for (auto _ : state)
        PasteClip(*editor, 0, 0);
}
BENCHMARK(BM_PasteWholeMap)->Unit(benchmark::kMillisecond);

void BM_SaveLargestStage(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, true);
    editor->targetStage = 1;
    for (auto _ : state)
        SaveStageFile(*editor, true);
}
BENCHMARK(BM_SaveLargestStage)->Unit(benchmark::kMillisecond);

void BM_OpenLargestStage(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, true);
    editor->targetStage = 1;
    SaveStageFile(*editor, true);
    for (auto _ : state)
        LoadStageFile(*editor);
}
BENCHMARK(BM_OpenLargestStage)->Unit(benchmark::kMillisecond);

// A whole-map fill as one undo step: its recording, its undo and its redo.
void BM_FillWholeMapWithUndoAndRedo(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, false);
    for (auto _ : state) {
        editor->chosenTile[0] = static_cast<std::uint8_t>(editor->chosenTile[0] == 40 ? 41 : 40);
        BeginEdit(*editor);
        FillRegion(*editor, 0, 0, 254, 254, editor->chosenTile[0]);
        CommitEdit(*editor);
        mnuUndo_Click(*editor);
        mnuRedo_Click(*editor);
    }
}
BENCHMARK(BM_FillWholeMapWithUndoAndRedo)->Unit(benchmark::kMillisecond);

// F5 on the largest map with every cell busy (an actor and a lift in each):
// the game's start-up, the document as the game loads it, the world built
// and the first frame drawn.
void BM_PlayTestStartOnLargestMap(benchmark::State& state) {
    BenchEditor editor;
    LargestBusyMap(*editor, false);
    editor->map.At(10, 10).mainTile = 16;
    const tovek::PictureSheets sheets = tovek::LoadPictureSheets();
    WallClock clock;
    PlayTest play(std::filesystem::temp_directory_path(), clock, sheets, editor->portDigits.get());
    for (auto _ : state) {
        play.Start({.stage = DocumentAsStage(*editor),
                    .stageNumber = 1,
                    .startCell = {},
                    .character = {}});
        benchmark::DoNotOptimize(play.State().picMain.Row(0));
    }
    state.counters["actors"] = static_cast<double>(play.State().actors.size());
}
BENCHMARK(BM_PlayTestStartOnLargestMap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
