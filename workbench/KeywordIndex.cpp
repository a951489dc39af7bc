#include "KeywordIndex.h"

#include <deque>

namespace workbench {

int KeywordIndex::add(std::string_view key) {
    const auto [found, added] = ids_.emplace(std::string(key), size());
    if (!added)
        return found->second;
    keys_.emplace_back(key);
    int state = 0;
    for (const char c : key) {
        auto& children = nodes_[static_cast<std::size_t>(state)].children;
        const auto child = children.find(c);
        if (child != children.end()) {
            state = child->second;
        } else {
            const int created = static_cast<int>(nodes_.size());
            children.emplace(c, created);
            nodes_.emplace_back();
            state = created;
        }
    }
    nodes_[static_cast<std::size_t>(state)].key = found->second;
    return found->second;
}

void KeywordIndex::build() {
    std::deque<int> queue;
    for (const auto& [c, child] : nodes_[0].children) {
        nodes_[static_cast<std::size_t>(child)].failure = 0;
        queue.push_back(child);
    }
    while (!queue.empty()) {
        const int state = queue.front();
        queue.pop_front();
        for (const auto& [c, child] : nodes_[static_cast<std::size_t>(state)].children) {
            int fallback = nodes_[static_cast<std::size_t>(state)].failure;
            while (fallback > 0 && !nodes_[static_cast<std::size_t>(fallback)].children.contains(c))
                fallback = nodes_[static_cast<std::size_t>(fallback)].failure;
            const auto& candidates = nodes_[static_cast<std::size_t>(fallback)].children;
            const auto hit = candidates.find(c);
            const int failure = hit != candidates.end() && hit->second != child ? hit->second : 0;
            Node& node = nodes_[static_cast<std::size_t>(child)];
            node.failure = failure;
            const Node& target = nodes_[static_cast<std::size_t>(failure)];
            node.output = target.key >= 0 ? failure : target.output;
            queue.push_back(child);
        }
    }
}

int KeywordIndex::next(int state, char c) const {
    for (;;) {
        const auto& children = nodes_[static_cast<std::size_t>(state)].children;
        const auto child = children.find(c);
        if (child != children.end())
            return child->second;
        if (state == 0)
            return 0;
        state = nodes_[static_cast<std::size_t>(state)].failure;
    }
}

} // namespace workbench
