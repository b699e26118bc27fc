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

private:
    std::map<int, Element*> members_;
};

}  // namespace seastrip
