#include "dravik/search/word_automaton.h"

#include <algorithm>
#include <deque>

namespace dravik::search {

WordAutomaton::WordAutomaton(const std::vector<std::string>& words) {
    build(words);
    linkFailures();
}

// The trie of the words, its edges kept per node in byte order.
void WordAutomaton::build(const std::vector<std::string>& words) {
    std::vector<std::vector<std::pair<unsigned char, std::uint32_t>>> children(1);
    std::vector<std::vector<std::uint32_t>> ending(1);
    std::vector<std::uint32_t> depth(1, 0);
    for (std::uint32_t w = 0; w < words.size(); ++w) {
        if (words[w].empty()) {
            emptyWords_.push_back(w);
            continue;
        }
        std::uint32_t node = 0;
        for (const char ch : words[w]) {
            const auto byte = static_cast<unsigned char>(ch);
            auto& edges = children[node];
            const auto edge = std::find_if(edges.begin(), edges.end(),
                                           [&](const auto& e) { return e.first == byte; });
            if (edge != edges.end()) {
                node = edge->second;
                continue;
            }
            const auto next = static_cast<std::uint32_t>(children.size());
            edges.emplace_back(byte, next);
            children.emplace_back();
            ending.emplace_back();
            depth.push_back(depth[node] + 1);
            node = next;
        }
        ending[node].push_back(w);
    }
    nodes_.resize(children.size());
    for (std::uint32_t n = 0; n < nodes_.size(); ++n) {
        auto& edges = children[n];
        std::sort(edges.begin(), edges.end());
        Node& node = nodes_[n];
        node.firstEdge = static_cast<std::uint32_t>(edgeBytes_.size());
        node.edgeCount = static_cast<std::uint32_t>(edges.size());
        node.depth = depth[n];
        node.firstWord = static_cast<std::uint32_t>(wordsAt_.size());
        node.wordCount = static_cast<std::uint32_t>(ending[n].size());
        for (const auto& [byte, target] : edges) {
            edgeBytes_.push_back(byte);
            edgeTargets_.push_back(target);
        }
        wordsAt_.insert(wordsAt_.end(), ending[n].begin(), ending[n].end());
    }
    for (std::uint32_t e = 0; e < nodes_[0].edgeCount; ++e)
        rootRow_[edgeBytes_[e]] = edgeTargets_[e];
}

std::uint32_t WordAutomaton::childOf(std::uint32_t node, unsigned char byte) const {
    const Node& n = nodes_[node];
    const unsigned char* first = edgeBytes_.data() + n.firstEdge;
    const unsigned char* last = first + n.edgeCount;
    const unsigned char* edge =
        n.edgeCount <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
    return edge != last && *edge == byte ? edgeTargets_[edge - edgeBytes_.data()] : None;
}

std::uint32_t WordAutomaton::step(std::uint32_t node, unsigned char byte) const {
    for (;;) {
        if (node == 0)
            return rootRow_[byte];
        if (const std::uint32_t child = childOf(node, byte); child != None)
            return child;
        node = nodes_[node].fail;
    }
}

// Breadth first, so a node's fail link, which is shallower, is known before its own children.
void WordAutomaton::linkFailures() {
    std::deque<std::uint32_t> queue;
    for (std::uint32_t e = 0; e < nodes_[0].edgeCount; ++e) {
        Node& child = nodes_[edgeTargets_[e]];
        child.fail = 0;
        child.output = child.wordCount > 0 ? edgeTargets_[e] : None;
        queue.push_back(edgeTargets_[e]);
    }
    while (!queue.empty()) {
        const std::uint32_t parent = queue.front();
        queue.pop_front();
        const Node& p = nodes_[parent];
        for (std::uint32_t e = p.firstEdge; e < p.firstEdge + p.edgeCount; ++e) {
            const std::uint32_t n = edgeTargets_[e];
            Node& child = nodes_[n];
            child.fail = step(p.fail, edgeBytes_[e]);
            child.output = child.wordCount > 0 ? n : nodes_[child.fail].output;
            queue.push_back(n);
        }
    }
}

void WordAutomaton::firstOccurrences(std::string_view text, std::vector<Occurrence>& found) {
    if (++pass_ == 0) {
        for (Node& node : nodes_)
            node.seen = 0;
        pass_ = 1;
    }
    hits_.clear();
    std::uint32_t node = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        node = step(node, static_cast<unsigned char>(text[i]));
        // A node seen before in this text had its whole output chain recorded then.
        for (std::uint32_t out = nodes_[node].output; out != None && nodes_[out].seen != pass_;
             out = nodes_[nodes_[out].fail].output) {
            nodes_[out].seen = pass_;
            hits_.emplace_back(out, static_cast<std::uint32_t>(i + 1 - nodes_[out].depth));
        }
    }
    found.clear();
    for (const std::uint32_t w : emptyWords_)
        found.push_back(Occurrence{w, 0});
    for (const auto& [n, at] : hits_) {
        const Node& hit = nodes_[n];
        for (std::uint32_t k = hit.firstWord; k < hit.firstWord + hit.wordCount; ++k)
            found.push_back(Occurrence{wordsAt_[k], at});
    }
    std::sort(found.begin(), found.end(),
              [](const Occurrence& a, const Occurrence& b) { return a.word < b.word; });
}

} // namespace dravik::search
