#include "alignment/AnchorCache.h"

namespace sequara::ends {

void AnchorCache::added(const AnchorIndex& index) {
    bytes_ += index.bytes;
    while (bytes_ > budget_) {
        std::unique_ptr<AnchorIndex>* oldest = nullptr;
        for (auto& slots : slots_)
            for (auto& [anchor, slot] : slots)
                if (slot.index && slot.index.get() != &index && (!oldest || slot.index->lastUse < (*oldest)->lastUse))
                    oldest = &slot.index;
        if (!oldest) return;
        bytes_ -= (*oldest)->bytes;
        oldest->reset();
    }
}

}  // namespace sequara::ends
