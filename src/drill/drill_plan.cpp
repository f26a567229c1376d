#include "drill/drill_plan.h"

#include "drill/key_speed.h"

namespace tarvelo {

std::string OpenLetters(std::string_view letters, const KeySpeeds& speeds,
                        const TargetSpeed& target)
{
    std::string open;
    bool allAtTarget = true;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const bool atTarget = target.BestConfidence(speeds.Of(letters[i])) >= 1.0;
        if (i < kAlwaysOpen || atTarget || allAtTarget) {
            open.push_back(letters[i]);
            allAtTarget = allAtTarget && atTarget;
        }
    }
    return open;
}

std::optional<char> FocusLetter(std::string_view open, const KeySpeeds& speeds,
                                const TargetSpeed& target)
{
    std::optional<char> focus;
    double lowest = 0;
    for (char letter : open) {
        const double confidence = target.Confidence(speeds.Of(letter));
        if (!focus || confidence < lowest) {
            focus = letter;
            lowest = confidence;
        }
    }
    return focus;
}

} // namespace tarvelo
