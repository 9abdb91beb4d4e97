#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace sequara::ends {

// The rows of an index in their places 0..n-1, each with a value, and over
// a range of places: the largest value with the smallest row holding it, and
// the smallest row, among the places switched on.  A place is 8 bytes; the
// places are summed up in blocks of kBlock, and a tree over the blocks
// (node i combines nodes 2i and 2i + 1, the blocks at nb..2nb-1) answers a
// range by its whole blocks, the places at its two ends being read one by
// one.  An index exists per anchor and per row, so its size is what the
// cost of a large load grows with.
class PlacedRows {
public:
    struct Node {
        std::int32_t value = std::numeric_limits<std::int32_t>::min();
        std::int32_t row = std::numeric_limits<std::int32_t>::max();
        std::int32_t smallestRow = std::numeric_limits<std::int32_t>::max();
    };

    // n places, to be filled by place() and then summed up once.
    void reset(std::size_t n) {
        places_.assign(n, Place{});
        blocks_ = (n + kBlock - 1) / kBlock;
        nodes_.assign(2 * blocks_, Node{});
    }
    // value at least 0.
    void place(std::size_t p, std::int32_t row, std::int32_t value) { places_[p] = {value, row}; }
    void combineAll() {
        for (std::size_t b = 0; b < blocks_; ++b) nodes_[blocks_ + b] = block(b);
        for (std::size_t i = blocks_; i-- > 1;) nodes_[i] = combine(nodes_[2 * i], nodes_[2 * i + 1]);
    }

    std::size_t size() const { return places_.size(); }
    std::int32_t row(std::size_t p) const { return places_[p].row; }
    bool isOn(std::size_t p) const { return places_[p].value != kOff; }
    // The value of a place switched on.
    std::int32_t value(std::size_t p) const { return places_[p].value; }

    void switchOff(std::size_t p) {
        places_[p].value = kOff;
        std::size_t i = blocks_ + p / kBlock;
        nodes_[i] = block(p / kBlock);
        for (i /= 2; i >= 1; i /= 2) nodes_[i] = combine(nodes_[2 * i], nodes_[2 * i + 1]);
    }

    // Places first..last, both included.
    Node query(std::size_t first, std::size_t last) const {
        const std::size_t firstBlock = first / kBlock, lastBlock = last / kBlock;
        if (firstBlock == lastBlock) return span(first, last + 1);
        Node result = combine(span(first, (firstBlock + 1) * kBlock), span(lastBlock * kBlock, last + 1));
        Node left, right;
        for (std::size_t l = firstBlock + 1 + blocks_, r = lastBlock + blocks_; l < r; l /= 2, r /= 2) {
            if (l & 1) left = combine(left, nodes_[l++]);
            if (r & 1) right = combine(nodes_[--r], right);
        }
        return combine(result, combine(left, right));
    }
    // Places first..last but skip, which lies among them.
    Node queryWithout(std::size_t first, std::size_t last, std::size_t skip) const {
        const Node left = skip > first ? query(first, skip - 1) : Node{};
        const Node right = skip < last ? query(skip + 1, last) : Node{};
        return combine(left, right);
    }

    std::size_t bytes() const { return places_.size() * sizeof(Place) + nodes_.size() * sizeof(Node); }

private:
    static constexpr std::size_t kBlock = 8;
    static constexpr std::int32_t kOff = -1;  // the value of a place switched off
    struct Place {
        std::int32_t value = kOff;
        std::int32_t row = std::numeric_limits<std::int32_t>::max();
    };

    // Places begin..end - 1.
    Node span(std::size_t begin, std::size_t end) const {
        Node n;
        for (std::size_t p = begin; p < end; ++p) {
            const Place& x = places_[p];
            if (x.value != kOff) n = combine(n, Node{x.value, x.row, x.row});
        }
        return n;
    }
    Node block(std::size_t b) const { return span(b * kBlock, std::min(places_.size(), (b + 1) * kBlock)); }

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

    std::vector<Place> places_;
    std::size_t blocks_ = 0;
    std::vector<Node> nodes_;
};

}  // namespace sequara::ends
