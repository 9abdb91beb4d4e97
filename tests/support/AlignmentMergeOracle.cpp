#include "tests/support/AlignmentMergeOracle.h"

#include <cstddef>

namespace sequara::testing {

namespace {

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool blank(const std::string& label) { return trim(label).empty(); }

// Count gap columns starting at Column (from 1): every column from there on
// moves Count places right.
void insertGapColumn(PlainAlignment& a, int Count, int Column) {
    const auto at = static_cast<std::size_t>(Column - 1);
    a.Labels.insert(a.Labels.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(Count), "");
    a.Reference.insert(at, static_cast<std::size_t>(Count), '-');
    for (auto& row : a.Rows) row.second.insert(at, static_cast<std::size_t>(Count), '-');
}

}  // namespace

bool StepByStepMerge(PlainAlignment& open, const PlainAlignment& addedIn) {
    PlainAlignment added = addedIn;
    for (std::string& label : added.Labels) label = trim(label);
    const int n = static_cast<int>(added.Labels.size());
    std::vector<int> map(static_cast<std::size_t>(n) + 1, -1);  // from 1
    for (int k = 1; k <= n; ++k)
        for (int c = 1; c <= static_cast<int>(open.Labels.size()); ++c) {
            const std::string& label = open.Labels[static_cast<std::size_t>(c - 1)];
            if (!blank(label) && upper(trim(label)) == upper(added.Labels[static_cast<std::size_t>(k - 1)])) {
                map[static_cast<std::size_t>(k)] = c;
                break;
            }
        }
    int first = 0, last = 0;
    for (int k = 1; k <= n; ++k)
        if (map[static_cast<std::size_t>(k)] != -1) {
            if (first == 0) first = k;
            last = k;
        }
    if (first == 0) return false;

    auto addedReferenceAt = [&](int k) {
        return k <= static_cast<int>(added.Reference.size()) ? upper(std::string(1, added.Reference[static_cast<std::size_t>(k - 1)]))[0] : '-';
    };
    if (first > 1) {
        insertGapColumn(open, first - 1, 1);
        for (int k = 1; k <= n; ++k) {
            int& m = map[static_cast<std::size_t>(k)];
            if (k < first) m = k;
            else if (m != -1) m += first - 1;
        }
        for (int k = 1; k < first; ++k) {
            open.Labels[static_cast<std::size_t>(k - 1)] = added.Labels[static_cast<std::size_t>(k - 1)];
            open.Reference[static_cast<std::size_t>(k - 1)] = addedReferenceAt(k);
        }
    }
    if (last < n) {
        const int N = static_cast<int>(open.Labels.size());
        insertGapColumn(open, n - last, N + 1);
        const int N2 = N + n - last;
        for (int k = n; k > last; --k) {
            const int c = N2 - (n - k);
            map[static_cast<std::size_t>(k)] = c;
            open.Labels[static_cast<std::size_t>(c - 1)] = added.Labels[static_cast<std::size_t>(k - 1)];
            open.Reference[static_cast<std::size_t>(c - 1)] = addedReferenceAt(k);
        }
    }
    for (int k = 1; k <= n; ++k) {
        if (map[static_cast<std::size_t>(k)] != -1) continue;
        const int p = map[static_cast<std::size_t>(k - 1)];
        if (blank(added.Labels[static_cast<std::size_t>(k - 1)]) && p + 1 <= static_cast<int>(open.Labels.size()) &&
            blank(open.Labels[static_cast<std::size_t>(p)])) {
            map[static_cast<std::size_t>(k)] = p + 1;
            continue;
        }
        insertGapColumn(open, 1, p + 1);
        open.Labels[static_cast<std::size_t>(p)] = added.Labels[static_cast<std::size_t>(k - 1)];
        open.Reference[static_cast<std::size_t>(p)] = addedReferenceAt(k);
        // Every other entry at or past the new column moves with it, earlier
        // added columns included (their labels may come in any order).
        for (int j = 1; j <= n; ++j)
            if (j != k && map[static_cast<std::size_t>(j)] >= p + 1) ++map[static_cast<std::size_t>(j)];
        map[static_cast<std::size_t>(k)] = p + 1;
    }
    for (const auto& [name, text] : added.Rows) {
        std::string row(open.Reference.size(), '-');
        for (int k = 1; k <= n && k <= static_cast<int>(text.size()); ++k)
            row[static_cast<std::size_t>(map[static_cast<std::size_t>(k)] - 1)] =
                upper(std::string(1, text[static_cast<std::size_t>(k - 1)]))[0];
        open.Rows.emplace_back(name, row);
    }
    for (std::string& label : open.Labels) label.resize(5, ' ');
    return true;
}

}  // namespace sequara::testing
