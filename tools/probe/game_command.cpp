#include "commands.h"
#include "game/system_sources.h"
#include "game/typing_game.h"
#include "json_bytes.h"
#include "platform/random_source.h"
#include "platform/sound.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "profile/value_text.h"
#include "state/current_user.h"
#include "state/game_averages.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <stdexcept>
#include <vector>

namespace tarvelo::probe {
namespace {

// Draws the case's numbers in order, starting again after the last.
class CyclingRandom : public RandomSource
{
public:
    explicit CyclingRandom(std::vector<double> numbers) : m_numbers(std::move(numbers))
    {
        if (m_numbers.empty())
            throw std::invalid_argument("\"random\" needs at least one number");
    }
    double Next() override
    {
        const double u = m_numbers[m_next];
        m_next = (m_next + 1) % m_numbers.size();
        return u;
    }

private:
    std::vector<double> m_numbers;
    std::size_t m_next = 0;
};

// Counts what the game asks of the audio layer and plays nothing.
class CountingSound : public Sound
{
public:
    bool PlayWave(const std::string&) override
    {
        ++waves;
        return true;
    }
    bool OpenMusic(const std::string&) override
    {
        ++opens;
        return true;
    }
    void PlayMusic() override {}
    void StopMusic() override {}
    void CloseMusic() override { ++closes; }
    double MusicLength() override { return 0; }
    double MusicPosition() override { return 0; }

    int waves = 0;
    int opens = 0;
    int closes = 0;
};

nlohmann::json Letter(const std::optional<unsigned char>& letter)
{
    return BytesToJson(letter ? std::string(1, static_cast<char>(*letter)) : std::string());
}

nlohmann::json PlayCase(const nlohmann::json& request)
{
    test::TempFolder folder;
    ProfileStore profile(folder.Path());
    const std::string section = settings::UserSection(0);
    {
        ProfileBatch batch(profile);
        profile.Write(settings::kUsers, settings::TextKey{section, ""}, "Tester");
        if (request.contains("letterstream"))
            profile.Write(section, settings::kLetterStream,
                          JsonToBytes(request.at("letterstream")));
        profile.Write(section, settings::kLetterCase, request.at("lettercase").get<int>());
        profile.Write(section, settings::kGameLevel, request.at("level").get<int>());
        profile.Write(section, settings::kGameSound, request.at("sound").get<bool>());
        if (!batch.Commit())
            throw std::runtime_error("cannot write the scratch settings file");
    }
    CurrentUser user;
    user.SelectSlot(0);
    user.UserName = "Tester";
    KeyboardLayout layout;
    layout.Load(profile);
    test::ScriptedDialogs dialogs;
    CountingSound sound;
    CyclingRandom random(request.at("random").get<std::vector<double>>());
    SystemClock clock;
    GameAverages averages;
    std::optional<ScoreTexts> lastResult;
    TypingGame game({profile, user, layout, dialogs, sound, random, clock, averages, lastResult,
                     folder.Path()});
    game.Load();

    nlohmann::json trace = nlohmann::json::array();
    for (const auto& event : request.at("events")) {
        const std::string name = event.at(0).get<std::string>();
        if (name == "begin") {
            if (!game.Running())
                game.StartGame();
        } else if (name == "tick") {
            game.GameTick();
        } else if (name == "key") {
            game.ProcessTypedChar(event.at(1).get<int>());
        } else if (name == "pause") {
            game.ProcessTypedChar(' ');
        } else if (name == "bonus") {
            game.ScoreAddTick();
        } else if (name == "end") {
            game.AbortGame();
        } else {
            throw std::invalid_argument("unknown event \"" + name + "\"");
        }
        game.TakeScoresRequest(); // the high-score window closes at once
        trace.push_back({game.Level(), game.Score(), game.SpawnCount(), game.RaiseTicks(),
                         game.Board().ActiveLetters(), game.DropTimer().intervalMs, game.Running(),
                         game.Paused()});
    }

    const FallingBoard& board = game.Board();
    nlohmann::json falling = nlohmann::json::array();
    nlohmann::json pile = nlohmann::json::array();
    nlohmann::json heights = nlohmann::json::array();
    for (int c = 0; c < FallingBoard::kColumns; ++c) {
        const LetterInstance& slot = board.Slot(c);
        falling.push_back({Letter(slot.letter), slot.posY, slot.taken, ColourLiteral(slot.color)});
        pile.push_back({Letter(board.PileLetter(0, c)), Letter(board.PileLetter(1, c)),
                        Letter(board.PileLetter(2, c))});
        heights.push_back(board.PileHeight(c));
    }

    GameStorage storage(profile, section);
    nlohmann::json highscores = nlohmann::json::array();
    for (const HighScoreEntry& e : storage.ReadHighScores())
        highscores.push_back({e.score, BytesToJson(e.user), e.startLevel, e.level, e.intelligence,
                              e.accuracy, e.letters});

    return {{"trace", trace},
            {"falling", falling},
            {"pile", pile},
            {"pileHeight", heights},
            {"keystrokes", game.Keystrokes()},
            {"correctKeys", game.CorrectKeys()},
            {"accuracy", game.CurrentAccuracy()},
            {"intelligence", game.FinalIntelligenceValue()},
            {"liveIntelligence", game.LiveIntelligence()},
            {"levelSounds", sound.waves},
            {"music", {sound.opens, sound.closes}},
            {"playableCount", game.Pool().PlayableCount()},
            {"highscores", highscores},
            {"averages", {averages.GamesPlayed, averages.GameIntelligence, averages.GameAccuracy}}};
}

} // namespace

int RunGame(std::istream& in, std::ostream& out)
{
    return ForEachJsonLine(in, out, PlayCase);
}

} // namespace tarvelo::probe
