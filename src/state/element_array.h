#pragma once

#include <map>
#include <stdexcept>

#include "platform/platform.h"

namespace seastrip {

// An element array: members addressed by index, with gaps allowed. A new
// member is a hidden copy of the lowest one.
class ElementArray {
public:
    void Add(int index, Element& element) { members_[index] = &element; }

    Element& operator()(int index) const
    {
        auto it = members_.find(index);
        if (it == members_.end()) throw std::out_of_range("no such element array member");
        return *it->second;
    }

    bool Has(int index) const { return members_.count(index) != 0; }
    int Count() const { return static_cast<int>(members_.size()); }

    Element& Load(Platform& platform, int index)
    {
        Element& copy = platform.CreateInstance(*members_.begin()->second);
        members_[index] = &copy;
        return copy;
    }

    // The member at `index`, loaded first when the array has none there.
    Element& LoadIfMissing(Platform& platform, int index) { return Has(index) ? (*this)(index) : Load(platform, index); }

    // Unloads every member from `index` on (never the lowest): a narrower
    // strip needs fewer tiles.
    void UnloadFrom(Platform& platform, int index)
    {
        auto it = members_.lower_bound(index);
        if (it == members_.begin()) ++it;
        while (it != members_.end()) {
            platform.DestroyElement(*it->second);
            it = members_.erase(it);
        }
    }

private:
    std::map<int, Element*> members_;
};

}  // namespace seastrip
