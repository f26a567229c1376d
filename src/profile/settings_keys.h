#pragma once

#include <string>
#include <string_view>

// The catalogue of the settings file: every key once, with the default that
// its readers use. Per-user keys live in the user's section ("user0".."user7").
namespace tarvelo::settings {

struct Key
{
    std::string_view name;
    std::string_view fallback;
};

// Global sections.
inline constexpr std::string_view kUsers = "users";
inline constexpr std::string_view kScores = "scores";
inline constexpr std::string_view kLanguage = "language";

// Section "users".
inline constexpr Key kLastUser{"lastuser", "0"};
inline constexpr Key kTop{"top", "1035"};
inline constexpr Key kLeft{"left", "1995"};
inline constexpr Key kMainMaximized{"mainmaximized", "False"};
inline constexpr Key kGameMaximized{"gamemaximized", "False"};
inline constexpr Key kBeginDate{"begindate", "9/29/80"};
inline constexpr Key kShowedDonate{"showeddonate", "False"};

// The start-up presence check reads "lastuser" with this default instead.
inline constexpr std::string_view kMissingMarker = "-999";

// Per-user sections.
inline constexpr Key kSessionNumber{"sessionnumber", "0"};
inline constexpr Key kTypeMode{"typemode", "1"};
inline constexpr Key kSentenceNumber{"sentencenumber", "1"};
inline constexpr Key kLesson{"lesson", "1"};
inline constexpr Key kCompleteQSeconds{"completeqseconds", "1"};
inline constexpr Key kCompletePosition{"completeposition", "1"};
inline constexpr Key kCompleteErrors{"completeerrors", "0"};
inline constexpr Key kBackspaceLessons{"backspacel", "True"};
inline constexpr Key kBackspacePractice{"backspacef", "False"};
inline constexpr Key kIntelligent{"intelligent", "False"};
inline constexpr Key kBeepOnError{"beeponerror", "True"};
inline constexpr Key kPlayedGame{"playedgame", "0"};
inline constexpr Key kGameLevel{"gamelevel", "1"};
inline constexpr Key kGameSound{"gamesound", "True"};
inline constexpr Key kGamesPlayed{"gamesplayed", "0"};
inline constexpr Key kIntelligence{"intelligence", "0"};
inline constexpr Key kAccuracy{"accuracy", "0"};
inline constexpr Key kLetterStream{"letterstream",
                                   "0102030405060708091011121314151617181922232425262728"};
inline constexpr Key kLetterCase{"lettercase", "0"};

inline constexpr int kUserCount = 8;

// "user" followed by the box index: the user's section and, under "users",
// the key of the user's display name.
inline std::string UserSection(int slot)
{
    return "user" + std::to_string(slot);
}

} // namespace tarvelo::settings
