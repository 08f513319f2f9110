#include "game/sdl/key_delivery.h"

namespace tovek {

void KeyDelivery::Press(int gameKey, InputSource source) {
    HeldKey& key = held_[gameKey];
    key.sources.insert(source);
    key.seenByTick = false;
    key.releaseAfterTick = false;
}

bool KeyDelivery::Release(int gameKey, InputSource source) {
    const auto found = held_.find(gameKey);
    // A key pressed before the window had the focus: released as it comes.
    if (found == held_.end()) return true;
    HeldKey& key = found->second;
    if (key.sources.erase(source) == 0 || !key.sources.empty()) return false;
    if (!key.seenByTick) {
        key.releaseAfterTick = true;
        return false;
    }
    held_.erase(found);
    return true;
}

std::vector<int> KeyDelivery::TickRan() {
    std::vector<int> released;
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->second.releaseAfterTick) {
            released.push_back(it->first);
            it = held_.erase(it);
        } else {
            it->second.seenByTick = true;
            ++it;
        }
    }
    return released;
}

}  // namespace tovek
