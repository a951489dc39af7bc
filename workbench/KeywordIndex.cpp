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
        const int existing = child(state, c);
        if (existing > 0) {
            state = existing;
        } else {
            const int created = static_cast<int>(nodes_.size());
            nodes_[static_cast<std::size_t>(state)].children.emplace_back(c, created);
            nodes_.emplace_back();
            state = created;
        }
    }
    nodes_[static_cast<std::size_t>(state)].key = found->second;
    return found->second;
}

int KeywordIndex::child(int state, char c) const {
    for (const auto& [label, target] : nodes_[static_cast<std::size_t>(state)].children) {
        if (label == c)
            return target;
    }
    return 0;
}

void KeywordIndex::build() {
    rootNext_.fill(0);
    std::deque<int> queue;
    for (const auto& [c, target] : nodes_[0].children) {
        rootNext_[static_cast<unsigned char>(c)] = target;
        nodes_[static_cast<std::size_t>(target)].failure = 0;
        queue.push_back(target);
    }
    while (!queue.empty()) {
        const int state = queue.front();
        queue.pop_front();
        for (const auto& [c, target] : nodes_[static_cast<std::size_t>(state)].children) {
            const int failure = next(nodes_[static_cast<std::size_t>(state)].failure, c);
            Node& node = nodes_[static_cast<std::size_t>(target)];
            node.failure = failure == target ? 0 : failure;
            const Node& fallback = nodes_[static_cast<std::size_t>(node.failure)];
            node.output = fallback.key >= 0 ? node.failure : fallback.output;
            queue.push_back(target);
        }
    }
}

int KeywordIndex::next(int state, char c) const {
    for (;;) {
        if (state == 0)
            return rootNext_[static_cast<unsigned char>(c)];
        if (const int target = child(state, c); target > 0)
            return target;
        state = nodes_[static_cast<std::size_t>(state)].failure;
    }
}

} // namespace workbench
