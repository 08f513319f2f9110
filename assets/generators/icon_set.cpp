#include "assets/generators/icon_set.h"

#include <map>
#include <stdexcept>

namespace tovek::assets {

Image BuildIcon(const std::vector<ArtCell>& cells, const std::string& name, int size) {
    std::map<int, const Image*> drawn;  // by size, largest last
    for (const ArtCell& cell : cells) {
        if (cell.key.size() != 2 || cell.key[0] != name) continue;
        if (!drawn.emplace(cell.picture.Width(), &cell.picture).second) {
            throw std::runtime_error(cell.origin + ": icon " + name + " drawn twice at " +
                                     cell.key[1] + " pixels");
        }
    }
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
        if (size % it->first == 0) return it->second->ScaledUp(size / it->first);
    }
    throw std::runtime_error("no cell of icon " + name + " makes " + std::to_string(size) +
                             " pixels");
}

}  // namespace tovek::assets
