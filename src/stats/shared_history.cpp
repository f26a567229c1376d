#include "stats/shared_history.h"

#include "state/program_state.h"
#include "stats/history_clock.h"
#include "stats/run_history.h"

namespace tarvelo {

const UtcClock& HistoryClock()
{
    static const SystemUtcClock clock;
    return clock;
}

RunHistory& SharedHistory(ProgramState& state)
{
    if (!state.history)
        state.history = std::make_shared<RunHistory>(HistoryPath(state.appFolder), HistoryClock());
    return *state.history;
}

void RecordGame(ProgramState& state, GameRecord game)
{
    game.endUtc = HistoryClock().NowUtc();
    (void)SharedHistory(state).Record(game); // a lost row costs only the chart a point
}

std::string TakeHistoryNotice(ProgramState& state)
{
    return state.history ? state.history->TakeNotice() : std::string();
}

} // namespace tarvelo
