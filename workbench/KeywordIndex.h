#pragma once

// Many keys searched in a text at once (Aho-Corasick): which keys occur in
// it as plain substrings, and where. The workbench uses it to narrow down
// which lines can matter for one another before the exact checks run.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace workbench {

class KeywordIndex {
public:
    // Adds a key (once; adding it again gives the same number).
    int add(std::string_view key);
    int size() const { return static_cast<int>(keys_.size()); }
    const std::string& key(int id) const { return keys_[static_cast<std::size_t>(id)]; }

    // Prepares the search; call after the last add.
    void build();

    // Calls found(id, start) for every occurrence of every key in the text.
    template <typename Found> void findAll(std::string_view text, Found&& found) const {
        int state = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            state = next(state, text[i]);
            for (int out = nodes_[static_cast<std::size_t>(state)].key >= 0 ? state : outputLink(state);
                 out > 0; out = outputLink(out)) {
                const int id = nodes_[static_cast<std::size_t>(out)].key;
                found(id, i + 1 - keys_[static_cast<std::size_t>(id)].size());
            }
        }
    }

private:
    struct Node {
        std::vector<std::pair<char, int>> children; // few: looked through in turn
        int failure = 0;
        int output = 0; // the nearest node on the failure chain that ends a key
        int key = -1;   // the key ending here
    };
    int child(int state, char c) const;
    int next(int state, char c) const;
    std::array<int, 256> rootNext_{}; // the root's moves, looked up at once
    int outputLink(int state) const { return nodes_[static_cast<std::size_t>(state)].output; }

    std::vector<Node> nodes_{Node{}};
    std::vector<std::string> keys_;
    std::unordered_map<std::string, int> ids_;
};

} // namespace workbench
