#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// An INI file held as its lines, read and edited the way the classic
// private-profile functions do: section and key names match without regard
// to case, the first of duplicate sections or keys is the one used, and every
// line the edit does not touch (comments, unknown keys, lines without "=")
// stays exactly as it was.
class IniDocument
{
public:
    IniDocument() = default;

    // Lines may end with CR LF or LF; a missing final line end is fine.
    static IniDocument Parse(std::string_view text);

    // The value of the key with blanks and tabs around it dropped and one pair
    // of matching outer quotes stripped; nullopt when the key is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Rewrites the first matching key line (keeping the key's spelling in the
    // file), or adds the key after the last key of the section, or adds the
    // section at the end of the file. Refuses (false, nothing changed) a
    // section or key name that IsStorableName turns away and a value holding
    // a line end, which would change other keys' lines.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);

    // A name reads back as written: no CR, LF, "[", "]" or "=", no blank at
    // either end, and for a key no ";" in front (that line is a comment).
    static bool IsStorableName(std::string_view name, bool isKey);

    // The text with CR LF after every line.
    std::string Serialise() const;

    // Reads straight from file text without building a document.
    static std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                                std::string_view key);

private:
    std::vector<std::string> m_lines;
};

} // namespace tarvelo
