#include "editor/core/edit_history.h"

#include <algorithm>
#include <utility>

namespace quorle {
namespace {

MapCell CellOrEmpty(const CellGrid& grid, int x, int y) {
    return grid.Contains(x, y) ? grid.At(x, y) : MapCell{};
}

}  // namespace

void EditHistory::BeginEdit(const StageDocument& document) {
    if (EditOpen()) CommitEdit(document);
    before_ = document;
}

bool EditHistory::CommitEdit(const StageDocument& document) {
    if (!EditOpen()) return false;
    std::optional<Step> step = Difference(*before_, document);
    before_.reset();
    if (!step) return false;
    DropRedoSteps();
    storedBytes_ += StepBytes(*step);
    steps_.push_back(std::move(*step));
    ++position_;
    KeepWithinBudget();
    return true;
}

void EditHistory::Undo(StageDocument& document) {
    if (!CanUndo() || EditOpen()) return;
    --position_;
    Apply(document, steps_[position_ - dropped_], false);
}

void EditHistory::Redo(StageDocument& document) {
    if (!CanRedo() || EditOpen()) return;
    Apply(document, steps_[position_ - dropped_], true);
    ++position_;
}

void EditHistory::Clear() {
    before_.reset();
    steps_.clear();
    dropped_ = 0;
    position_ = 0;
    savedPosition_ = 0;
    storedBytes_ = 0;
}

EditHistory::Shape EditHistory::ShapeOf(const StageDocument& document) {
    return Shape{document.map.Width(), document.map.Height(), document.mapWidth,
                 document.mapHeight};
}

std::optional<EditHistory::Step> EditHistory::Difference(const StageDocument& before,
                                                         const StageDocument& after) {
    Step step{.before = ShapeOf(before),
              .after = ShapeOf(after),
              .backgroundBefore = before.background,
              .backgroundAfter = after.background,
              .cells = {}};
    // Cells outside a grid count as empty, as a resize leaves them: a shrink
    // records the cells it drops, a growth records nothing.
    const int width = std::max(before.map.Width(), after.map.Width());
    const int height = std::max(before.map.Height(), after.map.Height());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const MapCell old = CellOrEmpty(before.map, x, y);
            const MapCell now = CellOrEmpty(after.map, x, y);
            if (old != now) {
                step.cells.push_back(
                    {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y), old, now});
            }
        }
    }
    const bool sameShape = step.before.gridWidth == step.after.gridWidth &&
                           step.before.gridHeight == step.after.gridHeight &&
                           step.before.mapWidth == step.after.mapWidth &&
                           step.before.mapHeight == step.after.mapHeight;
    if (step.cells.empty() && sameShape && step.backgroundBefore == step.backgroundAfter) {
        return std::nullopt;
    }
    step.cells.shrink_to_fit();
    return step;
}

void EditHistory::Apply(StageDocument& document, const Step& step, bool forward) {
    const Shape& shape = forward ? step.after : step.before;
    if (document.map.Width() != shape.gridWidth || document.map.Height() != shape.gridHeight) {
        document.map = document.map.Resized(shape.gridWidth, shape.gridHeight);
    }
    document.mapWidth = shape.mapWidth;
    document.mapHeight = shape.mapHeight;
    document.background = forward ? step.backgroundAfter : step.backgroundBefore;
    for (const CellChange& change : step.cells) {
        if (document.map.Contains(change.x, change.y)) {
            document.map.At(change.x, change.y) = forward ? change.after : change.before;
        }
    }
}

std::size_t EditHistory::StepBytes(const Step& step) {
    return sizeof(Step) + step.cells.capacity() * sizeof(CellChange);
}

void EditHistory::DropRedoSteps() {
    while (CanRedo()) {
        storedBytes_ -= StepBytes(steps_.back());
        steps_.pop_back();
    }
    if (savedPosition_ && *savedPosition_ > position_) savedPosition_.reset();
}

// The newest step stays even when it alone is over the budget.
void EditHistory::KeepWithinBudget() {
    while (storedBytes_ > byteBudget_ && steps_.size() > 1) {
        storedBytes_ -= StepBytes(steps_.front());
        steps_.pop_front();
        ++dropped_;
    }
    if (savedPosition_ && *savedPosition_ < dropped_) savedPosition_.reset();
}

}  // namespace quorle
