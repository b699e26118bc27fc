#pragma once

#include <string>
#include <string_view>

namespace seastrip {

// The system speaks UTF-8; the wide-character Windows API speaks UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace seastrip
