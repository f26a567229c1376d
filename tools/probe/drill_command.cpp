#include "commands.h"
#include "drill/drill_line.h"
#include "drill/drill_plan.h"
#include "drill/key_speed.h"
#include "drill/letters.h"
#include "drill/seeded_random.h"
#include "drill/text_language.h"
#include "profile/code_page.h"

#include <stdexcept>

namespace tarvelo::probe {
namespace {

constexpr int kMostLines = 100;

std::string ToUtf8(std::string_view bytes)
{
    std::string utf8;
    for (char32_t c : codepage::ToUnicode(bytes)) {
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

KeySpeeds ReadKeys(const nlohmann::json& keys)
{
    KeySpeeds speeds;
    for (const auto& [name, figures] : keys.items()) {
        const std::string letter = codepage::FromUtf8(name);
        if (letter.size() != 1 || !IsLetter(letter[0]))
            throw std::invalid_argument("\"" + name + "\" is not one letter");
        KeySpeed speed;
        speed.averageMs = figures.at("time_ms").get<double>();
        speed.bestMs = figures.value("best_ms", speed.averageMs);
        if (!(speed.averageMs > 0 && speed.bestMs > 0))
            throw std::invalid_argument("the times of \"" + name + "\" must be above 0");
        speeds.Set(letter[0], speed);
    }
    return speeds;
}

nlohmann::json MakeDrill(const nlohmann::json& request)
{
    const TextLanguage language =
        TextLanguage::Learn(codepage::FromUtf8(request.at("text").get<std::string>()));
    const KeySpeeds speeds = ReadKeys(request.value("keys", nlohmann::json::object()));
    const int wpm = request.value("target_wpm", TargetSpeed::kDefaultWpm);
    if (wpm < TargetSpeed::kMinWpm || wpm > TargetSpeed::kMaxWpm)
        throw std::invalid_argument("\"target_wpm\" must be 10..150");
    const int count = request.value("lines", 1);
    if (count < 0 || count > kMostLines)
        throw std::invalid_argument("\"lines\" must be 0..100");
    SeededRandom random(request.value("seed", std::uint64_t{0}));

    const TargetSpeed target(wpm);
    const std::string open = OpenLetters(language.Letters(), speeds, target);
    const std::optional<char> focus = FocusLetter(open, speeds, target);
    nlohmann::json lines = nlohmann::json::array();
    for (int i = 0; focus && i < count; ++i)
        lines.push_back(ToUtf8(MakeDrillLine(language, open, *focus, random)));
    return {{"letters", ToUtf8(open)},
            {"focus", focus ? nlohmann::json(ToUtf8(std::string(1, *focus))) : nullptr},
            {"lines", lines}};
}

} // namespace

int RunDrill(std::istream& in, std::ostream& out)
{
    return ForEachJsonLine(in, out, MakeDrill);
}

} // namespace tarvelo::probe
