#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "stage/element_outline.h"

namespace seastrip {

// The outlines a stage's elements have been given, each built once from its
// record and then shared: a wave tick gives every tile the same outline, and
// the same fifteen wave outlines come round every cycle, so parsing records
// and building rows on every tick would be work done again and again.
// Records are told apart by their bytes, never by where they are stored.
class OutlineCache {
public:
    // The outline the record describes, or null for a malformed record.
    std::shared_ptr<const ElementOutline> Get(const uint8_t* record, uint32_t byteCount);

    size_t Size() const { return entries_.size(); }

    // The program uses 27 outlines; anything else (tests, fuzzing) may bring
    // any number, so past this many the cache starts again.
    static constexpr size_t kMaxEntries = 64;

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>{}(bytes); }
    };
    std::unordered_map<std::string, std::shared_ptr<const ElementOutline>, Hash, std::equal_to<>> entries_;
    // The last record asked for: the tiles of one tick ask for it in a row.
    std::string_view lastKey_;
    std::shared_ptr<const ElementOutline> last_;
};

}  // namespace seastrip
