#include "stage/outline_cache.h"

#include <vector>

namespace seastrip {

std::shared_ptr<const ElementOutline> OutlineCache::Get(const uint8_t* record, uint32_t byteCount)
{
    if (record == nullptr) return nullptr;
    const std::string_view key(reinterpret_cast<const char*>(record), byteCount);
    if (last_ && key == lastKey_) return last_;

    auto found = entries_.find(key);
    if (found == entries_.end()) {
        std::vector<RegionRectPx> rects;
        if (!ParseRegionRecord(record, byteCount, rects)) return nullptr;
        if (entries_.size() >= kMaxEntries) {
            entries_.clear();
            last_.reset();
        }
        auto outline = std::make_shared<const ElementOutline>(ElementOutline::FromRects(rects));
        found = entries_.emplace(std::string(key), std::move(outline)).first;
    }
    lastKey_ = found->first;
    last_ = found->second;
    return last_;
}

}  // namespace seastrip
