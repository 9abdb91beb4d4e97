#include "editor/writers/SaveProgress.h"

#include "sequence/GaugePercent.h"

namespace sequara {

void ColumnProgress::Before(std::int64_t examined) {
    const auto percent = static_cast<std::int32_t>(
        GaugePercent(static_cast<std::size_t>(examined), static_cast<std::size_t>(columns_)));
    if (percent != shown_) box_.SetPosition(shown_ = percent);
}

}  // namespace sequara
