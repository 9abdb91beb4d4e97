#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace sequara::ends {

// Over positions 0..n-1 of an index: the largest value with the smallest row
// holding it, and the smallest row, among the positions switched on.  The
// leaves sit at n..2n-1 and node i combines nodes 2i and 2i + 1, so a query
// over a range combines the nodes covering it from both ends inwards.
class BestTree {
public:
    struct Node {
        std::int32_t value = std::numeric_limits<std::int32_t>::min();
        std::int32_t row = std::numeric_limits<std::int32_t>::max();
        std::int32_t smallestRow = std::numeric_limits<std::int32_t>::max();
    };

    // A tree of n positions, all switched off, whose leaves are then set
    // and combined once.
    void reset(std::size_t n) {
        size_ = n;
        nodes_.assign(2 * n, Node{});
    }
    Node& leaf(std::size_t position) { return nodes_[size_ + position]; }
    void combineAll() {
        for (std::size_t i = size_; i-- > 1;) nodes_[i] = combine(nodes_[2 * i], nodes_[2 * i + 1]);
    }
    void switchOff(std::size_t position) {
        std::size_t i = size_ + position;
        nodes_[i] = Node{};
        for (i /= 2; i >= 1; i /= 2) nodes_[i] = combine(nodes_[2 * i], nodes_[2 * i + 1]);
    }
    // Positions first..last, both included.
    Node query(std::size_t first, std::size_t last) const {
        Node left, right;
        for (std::size_t l = first + size_, r = last + size_ + 1; l < r; l /= 2, r /= 2) {
            if (l & 1) left = combine(left, nodes_[l++]);
            if (r & 1) right = combine(nodes_[--r], right);
        }
        return combine(left, right);
    }
    // Positions first..last but skip, which lies among them: two queries
    // around it, leaving the tree as it is.
    Node queryWithout(std::size_t first, std::size_t last, std::size_t skip) const {
        const Node left = skip > first ? query(first, skip - 1) : Node{};
        const Node right = skip < last ? query(skip + 1, last) : Node{};
        return combine(left, right);
    }
    std::size_t bytes() const { return nodes_.size() * sizeof(Node); }

private:
    static Node combine(const Node& a, const Node& b) {
        Node n;
        if (a.value > b.value || (a.value == b.value && a.row < b.row)) {
            n.value = a.value;
            n.row = a.row;
        } else {
            n.value = b.value;
            n.row = b.row;
        }
        n.smallestRow = std::min(a.smallestRow, b.smallestRow);
        return n;
    }
    std::size_t size_ = 0;
    std::vector<Node> nodes_;
};

}  // namespace sequara::ends
