#pragma once

#include <memory>
#include <string>

namespace tarvelo {

class RunHistory;
struct GameRecord;
class UtcClock;

// The system clock the history's runs are timed by.
const UtcClock& HistoryClock();

// The program run's history in the application folder, opened the first time
// a window asks for it, so the start does not pay for it. A history that could
// not be opened records nothing.
class SharedHistory
{
public:
    explicit SharedHistory(std::string appFolder);
    ~SharedHistory();
    SharedHistory(const SharedHistory&) = delete;
    SharedHistory& operator=(const SharedHistory&) = delete;

    RunHistory& Get();

    // Stamps a finished game with the time and keeps it: what the game window
    // hands to TypingGame::SetFinishedGameHook.
    void RecordGame(GameRecord game);

    // What the user should be told of the history (a damaged file set aside,
    // a history that is busy or cannot be written), once per problem; empty
    // otherwise, and empty while it was never opened.
    std::string TakeNotice();

private:
    std::string m_appFolder;
    std::unique_ptr<RunHistory> m_history;
};

} // namespace tarvelo
