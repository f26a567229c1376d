#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The catalogue of the settings file: every key once, with the type its
// readers and writers use and its default. Per-user keys live in the user's
// section ("user0".."user7").
namespace tarvelo::settings {

// A key of type T: reads give a T (the default when the key is absent or its
// text is no T), writes take a T. Text keys are Key<std::string_view>.
template <typename T> struct Key
{
    std::string_view name;
    T fallback;
};

using IntegerKey = Key<std::int16_t>;
using LongKey = Key<std::int32_t>;
// A count that outgrows 32 bits; stored as decimal digits.
using CountKey = Key<std::int64_t>;
// A single-precision number kept at full precision (sums that outgrow a float).
using NumberKey = Key<double>;
using SingleKey = Key<float>;
using BooleanKey = Key<bool>;
using TextKey = Key<std::string_view>;

// Global sections.
inline constexpr std::string_view kUsers = "users";
inline constexpr std::string_view kScores = "scores";
inline constexpr std::string_view kLanguage = "language";

// Section "users".
inline constexpr IntegerKey kLastUser{"lastuser", 0};
inline constexpr LongKey kTop{"top", 1035};
inline constexpr LongKey kLeft{"left", 1995};
inline constexpr BooleanKey kMainMaximized{"mainmaximized", false};
inline constexpr BooleanKey kGameMaximized{"gamemaximized", false};
inline constexpr BooleanKey kStatsMaximized{"statsmaximized", false};
inline constexpr BooleanKey kEditorMaximized{"editormaximized", false};
inline constexpr TextKey kBeginDate{"begindate", "9/29/80"};
inline constexpr BooleanKey kShowedDonate{"showeddonate", false};

// The start-up presence check reads "lastuser" with this default instead.
inline constexpr std::string_view kMissingMarker = "-999";

// Per-user sections.
inline constexpr LongKey kSessionNumber{"sessionnumber", 0};
inline constexpr IntegerKey kTypeMode{"typemode", 1};
inline constexpr LongKey kSentenceNumber{"sentencenumber", 1};
inline constexpr IntegerKey kLesson{"lesson", 1};
inline constexpr NumberKey kCompleteQSeconds{"completeqseconds", 1};
inline constexpr CountKey kCompletePosition{"completeposition", 1};
inline constexpr CountKey kCompleteErrors{"completeerrors", 0};
inline constexpr BooleanKey kBackspaceLessons{"backspacel", true};
inline constexpr BooleanKey kBackspacePractice{"backspacef", false};
inline constexpr BooleanKey kIntelligent{"intelligent", false};
inline constexpr BooleanKey kBeepOnError{"beeponerror", true};
inline constexpr IntegerKey kPlayedGame{"playedgame", 0};
inline constexpr IntegerKey kGameLevel{"gamelevel", 1};
inline constexpr BooleanKey kGameSound{"gamesound", true};
inline constexpr IntegerKey kGamesPlayed{"gamesplayed", 0};
inline constexpr LongKey kIntelligence{"intelligence", 0};
inline constexpr SingleKey kAccuracy{"accuracy", 0};
inline constexpr TextKey kLetterStream{"letterstream",
                                       "0102030405060708091011121314151617181922232425262728"};
inline constexpr IntegerKey kLetterCase{"lettercase", 0};
// The windows drawn without the picture, in the high-contrast colours.
inline constexpr BooleanKey kHighContrast{"highcontrast", false};

inline constexpr int kUserCount = 8;

// "user" followed by the box index: the user's section and, under "users",
// the key of the user's display name.
inline std::string UserSection(int slot)
{
    return "user" + std::to_string(slot);
}

} // namespace tarvelo::settings
