#include "profile/ini_document.h"

#include <algorithm>

namespace tarvelo {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

enum class LineKind
{
    Other,
    Section,
    Key,
};

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // raw text after "=" for keys
};

ParsedLine ParseLine(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';')
        return {};
    if (trimmed.front() == '[') {
        std::string_view name = trimmed.substr(1);
        const auto close = name.find(']');
        if (close != std::string_view::npos)
            name = name.substr(0, close);
        return {LineKind::Section, Trim(name), {}};
    }
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::Key, Trim(trimmed.substr(0, equals)), trimmed.substr(equals + 1)};
}

std::string CleanValue(std::string_view raw)
{
    std::string_view v = Trim(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// Calls `visit(line)` for each line of `text`, without its line end; stops
// early when `visit` returns false.
template <typename Visit> void ForEachLine(std::string_view text, Visit visit)
{
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!visit(line))
            return;
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

// The first matching key of the first matching section. `forEachLine(visit)`
// feeds lines to `visit` until it returns false.
template <typename ForEachLineFn>
std::optional<std::string> FindIn(ForEachLineFn forEachLine, std::string_view section,
                                  std::string_view key)
{
    enum
    {
        Before,
        Inside
    } state = Before;
    std::optional<std::string> found;
    forEachLine([&](std::string_view line) {
        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == LineKind::Section) {
            if (state == Inside)
                return false; // only the first matching section counts
            if (SameName(parsed.name, section))
                state = Inside;
            return true;
        }
        if (state == Inside && parsed.kind == LineKind::Key && SameName(parsed.name, key)) {
            found = CleanValue(parsed.value);
            return false;
        }
        return true;
    });
    return found;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text)
{
    IniDocument doc;
    ForEachLine(text, [&doc](std::string_view line) {
        doc.m_lines.emplace_back(line);
        return true;
    });
    return doc;
}

std::optional<std::string> IniDocument::FindValue(std::string_view text, std::string_view section,
                                                  std::string_view key)
{
    return FindIn([text](auto visit) { ForEachLine(text, visit); }, section, key);
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const
{
    return FindIn(
        [this](auto visit) {
            for (const std::string& line : m_lines) {
                if (!visit(std::string_view(line)))
                    return;
            }
        },
        section, key);
}

bool IniDocument::IsStorableName(std::string_view name, bool isKey)
{
    if (name.find_first_of("\r\n[]=") != std::string_view::npos)
        return false;
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        return false;
    return !(isKey && !name.empty() && name.front() == ';');
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    if (!IsStorableName(section, false) || !IsStorableName(key, true) ||
        value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    std::size_t header = m_lines.size();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(m_lines[i]);
        if (parsed.kind == LineKind::Section && SameName(parsed.name, section)) {
            header = i;
            break;
        }
    }
    if (header == m_lines.size()) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::string(key) + "=" + std::string(value));
        return true;
    }

    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(m_lines[i]);
        if (parsed.kind == LineKind::Section)
            break;
        if (parsed.kind != LineKind::Key)
            continue;
        if (SameName(parsed.name, key)) {
            m_lines[i] = std::string(parsed.name) + "=" + std::string(value);
            return true;
        }
        insertAt = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::string(key) + "=" + std::string(value));
    return true;
}

std::string IniDocument::Serialise() const
{
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : m_lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace tarvelo
