#include "counter/walk/Place.h"

#include <vector>

namespace qm::counter {

std::string pathOf(const Place& place)
{
    std::vector<const Place*> chain;
    std::size_t length = 0;
    for (const Place* p = &place; p; p = p->parent.get()) {
        chain.push_back(p);
        length += p->name.size() + 1;
    }
    std::string path;
    path.reserve(length);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin() && (path.empty() || path.back() != '/'))
            path += '/';
        path += (*it)->name;
    }
    return path;
}

} // namespace qm::counter
