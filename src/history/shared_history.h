#pragma once

#include <memory>
#include <string>

namespace tarvelo {

class RunHistory;
struct GameRecord;
class UtcClock;

// The program run's history in the application folder, opened the first time
// a window asks for it, so the start does not pay for it. A history that could
// not be opened records nothing.
class SharedHistory
{
public:
    // `clock` times the runs and games; it outlives the history.
    SharedHistory(std::string appFolder, const UtcClock& clock);
    ~SharedHistory();
    SharedHistory(const SharedHistory&) = delete;
    SharedHistory& operator=(const SharedHistory&) = delete;

    RunHistory& Get();
    const UtcClock& Clock() const { return m_clock; }

    // Stamps a finished game with the time and keeps it.
    void RecordGame(GameRecord game);

    // What the user should be told of the history (a damaged file set aside,
    // a history that is busy or cannot be written), once per problem; empty
    // otherwise, and empty while it was never opened.
    std::string TakeNotice();

private:
    std::string m_appFolder;
    const UtcClock& m_clock;
    std::unique_ptr<RunHistory> m_history;
};

} // namespace tarvelo
