#pragma once

#include <cstdint>
#include <optional>

#include "common/surface.h"
#include "editor/core/editor.h"

namespace quorle {

inline constexpr std::uint32_t kPreviewBackColour = 0xFFFFFF;

// The colour of a cell in the overview; empty for white.
std::optional<std::uint32_t> PreviewColour(const MapCell& cell);

// frmPreview: the whole map, 2 x 2 pixels a cell; closes on any click.
class PreviewWindow {
  public:
    static constexpr const char* kCaption = "プレビュー";

    explicit PreviewWindow(const Editor& editor) : editor_(editor) {}

    int clientWidth = 0;
    int clientHeight = 0;
    tovek::Surface picture;
    bool closed = false;

    // Sizes the client area to the map.
    void Form_Load();
    // Draws the overview, every time the window receives the focus.
    void Form_GotFocus();
    void Form_MouseDown() { closed = true; }
    // Closing the window by other means (Escape, the title bar).
    void Form_Unload() { closed = true; }

  private:
    const Editor& editor_;
};

void mnuPreview_Click(Editor& editor);

}  // namespace quorle
