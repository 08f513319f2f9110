#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "editor/core/stage_document.h"

namespace quorle {

// The undo history of a document. An edit is everything that happens to the
// document between BeginEdit and CommitEdit; it becomes one step that keeps
// only what changed (cells, size, background), so that Undo and Redo give
// back the document exactly as it was before and after.
class EditHistory {
  public:
    // The oldest steps are dropped while the steps kept take more than this.
    static constexpr std::size_t kDefaultByteBudget = 64u << 20;

    explicit EditHistory(std::size_t byteBudget = kDefaultByteBudget) : byteBudget_(byteBudget) {}

    // Remembers the document as the edit starts. An edit still open is
    // committed first.
    void BeginEdit(const StageDocument& document);
    // Ends the open edit; true when it changed the document and so became a
    // step. Redo steps are dropped by a new step. Without an open edit: false.
    bool CommitEdit(const StageDocument& document);
    bool EditOpen() const { return before_.has_value(); }

    bool CanUndo() const { return position_ > dropped_; }
    bool CanRedo() const { return position_ < dropped_ + steps_.size(); }
    // Each needs CanUndo / CanRedo and no open edit; otherwise nothing happens.
    void Undo(StageDocument& document);
    void Redo(StageDocument& document);

    // Forgets every step and the open edit; the document as it is counts as
    // saved (a new or freshly opened map).
    void Clear();
    // The document as it is now has been saved.
    void MarkSaved() { savedPosition_ = position_; }
    // No state in the history is what the file holds (a restored document).
    void ForgetSavedState() { savedPosition_.reset(); }
    // Undo and redo have brought the document back to where it was saved.
    bool AtSavedState() const { return savedPosition_ == position_; }

    std::size_t UndoCount() const { return position_ - dropped_; }
    std::size_t RedoCount() const { return dropped_ + steps_.size() - position_; }
    // The memory the kept steps take, as counted against the budget.
    std::size_t StoredBytes() const { return storedBytes_; }

  private:
    struct Shape {
        int gridWidth = 0;
        int gridHeight = 0;
        int mapWidth = 0;
        int mapHeight = 0;
    };
    struct CellChange {
        std::uint16_t x;
        std::uint16_t y;
        MapCell before;
        MapCell after;
    };
    struct Step {
        Shape before;
        Shape after;
        int backgroundBefore = 0;
        int backgroundAfter = 0;
        std::vector<CellChange> cells;
    };

    static Shape ShapeOf(const StageDocument& document);
    static std::optional<Step> Difference(const StageDocument& before, const StageDocument& after);
    static void Apply(StageDocument& document, const Step& step, bool forward);
    static std::size_t StepBytes(const Step& step);
    void DropRedoSteps();
    void KeepWithinBudget();

    std::size_t byteBudget_;
    std::optional<StageDocument> before_;
    std::deque<Step> steps_;
    // Positions count every step ever made, dropped ones included, so that
    // the saved position stays meaningful while old steps are dropped.
    std::size_t dropped_ = 0;
    std::size_t position_ = 0;
    std::optional<std::size_t> savedPosition_ = 0;
    std::size_t storedBytes_ = 0;
};

}  // namespace quorle
