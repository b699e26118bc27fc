#include "front/win32/win32_command_line.h"

#include "front/common/monitor_number.h"

namespace seastrip {
namespace {

// "/name" or "-name", in any case.
bool IsOption(const std::string& word, const std::string& name)
{
    if (word.size() != name.size() + 1 || (word[0] != '/' && word[0] != '-')) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = word[i + 1];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != name[i]) return false;
    }
    return true;
}

}  // namespace

Win32CommandLine ParseWin32CommandLine(const std::vector<std::string>& arguments)
{
    Win32CommandLine options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (IsOption(word, "reserve")) {
            options.reserve = true;
            continue;
        }
        if (!IsOption(word, "monitor")) {
            options.error = "unknown argument '" + word + "' (the options are /monitor N and /reserve)";
            break;
        }
        if (i + 1 >= arguments.size()) {
            options.error = word + " needs a monitor number";
            break;
        }
        const std::string& value = arguments[++i];
        const auto number = ParseMonitorNumber(value);
        if (!number) {
            options.error = word + " takes a monitor number from 0 to " + std::to_string(kLastMonitorNumber) +
                            ", not '" + value + "'";
            break;
        }
        options.monitor = *number;
    }
    return options;
}

}  // namespace seastrip
