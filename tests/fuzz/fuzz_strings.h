#pragma once

#include <string>
#include <string_view>

namespace seastrip::fuzz {

// Whether a section name, key or value can be stored and read back exactly.
// A stored line loses leading and trailing blanks and ends at a line break,
// so such strings cannot make the round trip; neither can a section name with
// a closing bracket, a key holding the equals sign, nor a key that would read
// as a section header line.
inline bool HasEdgeBlank(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !s.empty() && (blank(s.front()) || blank(s.back()));
}

inline bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

inline bool StorableValue(std::string_view v) { return !HasEdgeBlank(v) && !HasLineBreak(v); }

inline bool StorableSection(std::string_view s)
{
    return !s.empty() && !HasEdgeBlank(s) && !HasLineBreak(s) && s.find(']') == std::string_view::npos;
}

inline bool StorableKey(std::string_view k)
{
    return !k.empty() && !HasEdgeBlank(k) && !HasLineBreak(k) && k.find('=') == std::string_view::npos &&
           k.front() != '[';
}

// ASCII case folding, as section and key names are compared.
inline bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace seastrip::fuzz
