#include "editor/core/size_dialog.h"

#include <utility>

#include "editor/core/map_size.h"
#include "editor/core/number_text.h"

namespace quorle {

void SizeDialog::Form_Load() {
    txtSize[0].text = DecimalText(editor_.mapWidth);
    txtSize[1].text = DecimalText(editor_.mapHeight);
}

void SizeDialog::txtSize_Change(int index, std::string text) {
    if (index != 0 && index != 1) return;
    txtSize[index] = TextBox{std::move(text)};
}

void SizeDialog::cmdSize_Click(int index) {
    if (index == 1) {
        closed = true;
        return;
    }
    if (index != 0) return;
    const SizeCheck check = CheckNewSize(editor_, txtSize);
    if (check.outcome == SizeOutcome::Refused) return;
    if (check.outcome == SizeOutcome::Confirmed) {
        editor_.mapWidth = check.width;
        editor_.mapHeight = check.height;
        editor_.txtSize[0].text = DecimalText(check.width);
        editor_.txtSize[1].text = DecimalText(check.height);
        editor_.dialogAccepted = true;
    }
    closed = true;
}

}  // namespace quorle
