#include "front/common/profile_text.h"

#include <string_view>
#include <vector>

namespace seastrip {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
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

// One line of the file: where it starts, its content without the line end,
// and where the next line starts.
struct Line {
    size_t begin;
    size_t end;
    size_t next;
};

std::vector<Line> SplitLines(const std::string& text)
{
    std::vector<Line> lines;
    size_t pos = text.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0 ? kUtf8Bom.size() : 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        size_t next = nl == std::string::npos ? text.size() : nl + 1;
        size_t end = nl == std::string::npos ? text.size() : nl;
        if (end > pos && text[end - 1] == '\r') --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

// The section name of a "[name]" line, if it is one.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, if it is one.
std::optional<std::string_view> KeyOf(std::string_view line, std::string_view* value)
{
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    if (value) *value = Trim(line.substr(eq + 1));
    return Trim(line.substr(0, eq));
}

struct Found {
    bool sectionFound = false;
    size_t insertAt = 0;                  // after the section's last key line
    std::optional<Line> keyLine;
};

Found Find(const std::string& text, const std::vector<Line>& lines, const std::string& section,
           const std::string& key)
{
    Found found;
    bool inSection = false;
    for (const Line& line : lines) {
        std::string_view content(text.data() + line.begin, line.end - line.begin);
        if (auto name = SectionOf(content)) {
            if (inSection) break;  // the section ended
            inSection = SameName(*name, section);
            if (inSection) {
                found.sectionFound = true;
                found.insertAt = line.next;
            }
            continue;
        }
        if (!inSection) continue;
        if (auto k = KeyOf(content, nullptr)) {
            found.insertAt = line.next;
            if (SameName(*k, key)) {
                found.keyLine = line;
                return found;
            }
        }
    }
    return found;
}

std::string LineEndOf(const std::string& text)
{
    size_t nl = text.find('\n');
    if (nl != std::string::npos && nl > 0 && text[nl - 1] == '\r') return "\r\n";
    return "\n";
}

// Ends the text's last line, if it is open, so that what follows starts a
// line of its own. A lone carriage return at the end only lacks its newline;
// a full line end after it would leave it inside the line before.
void EndLastLine(std::string& text, const std::string& eol)
{
    if (text.empty() || text.back() == '\n') return;
    text += text.back() == '\r' ? std::string("\n") : eol;
}

}  // namespace

std::optional<std::string> ProfileTextGet(const std::string& text, const std::string& section,
                                          const std::string& key)
{
    const auto lines = SplitLines(text);
    Found found = Find(text, lines, section, key);
    if (!found.keyLine) return std::nullopt;
    std::string_view value;
    KeyOf(std::string_view(text.data() + found.keyLine->begin, found.keyLine->end - found.keyLine->begin), &value);
    return std::string(value);
}

std::string ProfileTextSet(const std::string& text, const std::string& section, const std::string& key,
                           const std::string& value)
{
    const auto lines = SplitLines(text);
    const std::string eol = LineEndOf(text);
    const std::string entry = key + "=" + value;
    Found found = Find(text, lines, section, key);
    if (found.keyLine) {
        return text.substr(0, found.keyLine->begin) + entry + text.substr(found.keyLine->end);
    }
    if (found.sectionFound) {
        std::string before = text.substr(0, found.insertAt);
        EndLastLine(before, eol);
        return before + entry + eol + text.substr(found.insertAt);
    }
    std::string out = text;
    EndLastLine(out, eol);
    out += "[" + section + "]" + eol + entry + eol;
    return out;
}

}  // namespace seastrip
