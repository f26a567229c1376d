#include "history/shared_history.h"

#include "history/history_clock.h"
#include "history/run_history.h"

namespace tarvelo {

const UtcClock& HistoryClock()
{
    static const SystemUtcClock clock;
    return clock;
}

SharedHistory::SharedHistory(std::string appFolder) : m_appFolder(std::move(appFolder)) {}

SharedHistory::~SharedHistory() = default;

RunHistory& SharedHistory::Get()
{
    if (!m_history)
        m_history = std::make_unique<RunHistory>(HistoryPath(m_appFolder), HistoryClock());
    return *m_history;
}

void SharedHistory::RecordGame(GameRecord game)
{
    game.endUtc = HistoryClock().NowUtc();
    (void)Get().Record(game); // a lost row costs only the chart a point
}

std::string SharedHistory::TakeNotice()
{
    return m_history ? m_history->TakeNotice() : std::string();
}

} // namespace tarvelo
