#pragma once

#include <string>

namespace tarvelo {

class RunHistory;
struct GameRecord;
class UtcClock;
struct ProgramState;

// The program run's history in the application folder, opened the first time
// a window asks for it. A history that could not be opened records nothing.
RunHistory& SharedHistory(ProgramState& state);

// The system clock the history's runs are timed by.
const UtcClock& HistoryClock();

// Stamps a finished game with the time and keeps it: what the game window
// hands to TypingGame::SetFinishedGameHook.
void RecordGame(ProgramState& state, GameRecord game);

// What the user should be told of the history (a damaged file set aside, a
// history that is busy or cannot be written), once per problem; empty
// otherwise. The window that takes it shows it.
std::string TakeHistoryNotice(ProgramState& state);

} // namespace tarvelo
