#include "editor/writers/SaveProgress.h"

namespace sequara {

std::int32_t ProgressPercent(std::int64_t done, std::int64_t total) {
    if (total <= 0) return 0;
    const std::int64_t scaled = done * 100;
    std::int64_t q = scaled / total;
    const std::int64_t twice = 2 * (scaled % total);
    if (twice > total || (twice == total && q % 2 != 0)) ++q;
    return static_cast<std::int32_t>(q);
}

}  // namespace sequara
