// The settings-file layer: any file text, then one write. The written value
// reads back, every other key reads as before, and the serialised text reads
// the same again. The two readers (document and straight from text) agree.
#include "profile/ini_document.h"
#include "profile/value_codec.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using tarvelo::IniDocument;

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

std::string Trimmed(std::string s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.back()))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && blank(s[start]))
        ++start;
    return s.substr(start);
}

// Section and key names that may be in the text: enough to watch every key.
std::vector<std::pair<std::string, std::string>> Candidates(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trimmed(line);
        if (!line.empty() && line.front() == '[') {
            section = Trimmed(line.substr(
                1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1));
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            names.emplace_back(section, Trimmed(line.substr(0, equals)));
        }
        start = end + 1;
    }
    return names;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string plain = input.ConsumeRandomLengthString(200);
    const std::string text = input.ConsumeRemainingBytesAsString();

    // The stored form: what the store reads back is what it wrote.
    const std::string encoded = tarvelo::valuecodec::Encode(plain);
    Check(tarvelo::valuecodec::IsWellFormed(encoded));
    Check(tarvelo::valuecodec::Decode(encoded) == plain);

    IniDocument doc = IniDocument::Parse(text);
    const auto names = Candidates(text);
    std::vector<std::optional<std::string>> before;
    for (const auto& [s, k] : names) {
        before.push_back(doc.Value(s, k));
        Check(before.back() == IniDocument::FindValue(text, s, k));
    }
    const std::string untouched = doc.Serialise();

    if (!doc.SetValue(section, key, encoded)) {
        Check(!IniDocument::IsStorableName(section, false) ||
              !IniDocument::IsStorableName(key, true));
        Check(doc.Serialise() == untouched);
        return 0;
    }
    const std::string written = doc.Serialise();
    const IniDocument reread = IniDocument::Parse(written);
    Check(doc.Value(section, key) == encoded);
    Check(reread.Value(section, key) == encoded);
    Check(IniDocument::FindValue(written, section, key) == encoded);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto& [s, k] = names[i];
        if (SameName(s, section) && SameName(k, key))
            continue;
        Check(doc.Value(s, k) == before[i]);
        Check(reread.Value(s, k) == before[i]);
    }
    return 0;
}
