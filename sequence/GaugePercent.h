#pragma once
// The percentage that the program's progress gauges show.

#include <cstddef>

namespace sequara {

// 100 * Done / Total rounded to the nearest integer, an exact half going to
// the even neighbour (8 sequences: 12, 25, 38, 50, 62, 75, 88, 100).  0 when
// Total is 0.  The automatic alignment's gauge counts its sequences with it,
// the editor's save progress box its columns.
int GaugePercent(std::size_t Done, std::size_t Total);

}  // namespace sequara
