#pragma once

#include <memory>
#include <utility>

namespace qm::counter {

// Lets go of a chain of shared nodes (each holding the next through `link(node)`, a mutable
// member) one node at a time. Left to the nodes' destructors, a chain as deep as the walk
// can go (a folder chain 100,000 deep) would recurse once per node and overflow the stack.
template <class Node, class Link>
void releaseChain(std::shared_ptr<const Node>& head, Link link)
{
    std::shared_ptr<const Node> rest = std::move(head);
    // Only the last owner may take a node apart; another owner lets go of it later itself.
    while (rest && rest.use_count() == 1)
        rest = std::move(link(*rest));
}

} // namespace qm::counter
