#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/file_faults.h"
#include "common/random_source.h"
#include "common/sheets.h"
#include "common/surface.h"
#include "common/text.h"
#include "editor/core/cell_grid.h"
#include "editor/core/edit_history.h"
#include "editor/core/editor_services.h"
#include "editor/core/stage_document.h"

namespace quorle {

inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kGrey = 0x808080;

// An outline shape over a picture (cursor, region and highlight frames).
struct Frame {
    int left = 0;
    int top = 0;
    int width = 32;
    int height = 32;
    std::uint32_t colour = kRed;
    bool visible = true;
};

struct ScrollBar {
    int value = 0;
    int max = 0;
    int smallChange = 1;
    int largeChange = 1;
};

struct TextBox {
    std::string text;
    // Set when the editor put the text back after refusing it; the front-end
    // selects the whole text. Cleared when the user types.
    bool wholeTextSelected = false;
};

// A picture that keeps its image; `refreshes` counts the moments at which
// the front-end should show it again.
struct PictureBox {
    tovek::Surface image;
    unsigned refreshes = 0;

    void Refresh() { ++refreshes; }
};

// A point of a route drawn over the map view, in map pixels.
struct RoutePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const RoutePoint&, const RoutePoint&) = default;
};

// What the recovery file holds, as this session wrote it.
struct AutosaveState {
    struct Written {
        StageDocument document;
        int stageNumber = 0;
    };
    std::optional<Written> written;
    bool failureReported = false;
};

// The editor's one state object: the document (map, mapWidth, mapHeight,
// background, in its base), the edit tools and every control of the main
// window as the front-end shows it.
struct Editor : StageDocument {
    // `portDigits` prints the port numbers on the map; without it the ports
    // show no number.
    Editor(EditorServices& services, const tovek::PictureSheets& sheets,
           std::unique_ptr<tovek::TextPainter> portDigits);

    EditorServices& services;
    tovek::RandomSource random{tovek::kEditorRandomSeed};
    // Failures that tests inject into the stage files' reads and writes.
    tovek::FileFaults* fileFaults = nullptr;
    std::unique_ptr<tovek::TextPainter> portDigits;

    // The document's file and state.
    std::string stageFolder;
    int currentStage = 0;  // 0: a new map, never saved
    int targetStage = 1;
    bool modified = false;

    // The edit tools.
    std::array<std::uint8_t, 2> chosenTile{};  // left, right button
    std::array<std::uint8_t, 2> chosenFast{};
    bool insertMode = false;  // the check mark of mnuInsert
    bool reverse = false;     // the check mark of mnuReverse
    int editMode = 0;
    int regionStartX = 0;
    int regionStartY = 0;
    int regionEndX = 0;
    int regionEndY = 0;
    CellGrid clip;
    int clipWidth = 0;
    int clipHeight = 0;
    bool freshPress = false;
    bool suppressRedraw = false;
    bool dialogAccepted = false;
    bool dialogSaveMode = false;
    bool paletteReady = false;
    EditHistory history;
    AutosaveState autosave;
    // The map cell a paint drag last reached; a further move paints every
    // cell on the line from there.
    std::optional<std::pair<int, int>> dragCell;
    // A route shown over the map view (the stage check's), empty for none.
    std::vector<RoutePoint> shownRoute;
    // Counts the documents opened or made new, so that a window about the
    // previous one can tell.
    unsigned openedDocuments = 0;

    // The main window as shown.
    std::string caption = "Quorle";
    std::string lblStatus;
    // What the mouse is over: the name of a palette cell or background, or
    // what each layer of the map cell holds.
    std::string lblInfo;
    std::string lblPlace = "現在位置";
    std::string lblIns = "上書";
    std::string mnuInsertCaption = "挿入モードに切り替え(&I)";
    int optInsSelected = 0;  // 0 "上書", 1 "挿入"
    int cheRev = 0;
    std::array<bool, 5> mnuMapEnabled{true, true, true, true, false};
    Frame shpMain;
    Frame shpRegion{.visible = false};
    Frame shpBase;
    Frame shpBack{.width = 28, .height = 28};
    ScrollBar hscrMain{.largeChange = 12};
    ScrollBar vscrMain{.largeChange = 8};
    std::array<TextBox, 2> txtSize{TextBox{"48"}, TextBox{"8"}};
    TextBox txtStage{"1"};
    std::array<PictureBox, 2> pctChosen;
    PictureBox pctMain;
    PictureBox pctBase;  // the tile palette, 512 x 160
    PictureBox pctBack;  // the background chooser, 112 x 112
    tovek::Surface pctBackBase;
    bool windowClosed = false;
};

// The cell rule of the map: 0 <= x < mapWidth and 0 <= y < mapHeight.
bool IsInMap(const Editor& editor, int x, int y);

// A message box titled "Quorle".
MessageAnswer ShowMessage(Editor& editor, std::string text, MessageButtons buttons,
                          MessageIcon icon);

}  // namespace quorle
