#include "history/shared_history.h"

#include "history/history_clock.h"
#include "history/run_history.h"

namespace tarvelo {

SharedHistory::SharedHistory(std::string appFolder, const UtcClock& clock)
    : m_appFolder(std::move(appFolder)), m_clock(clock)
{}

SharedHistory::~SharedHistory() = default;

RunHistory& SharedHistory::Get()
{
    if (!m_history)
        m_history = std::make_unique<RunHistory>(HistoryPath(m_appFolder), m_clock);
    return *m_history;
}

void SharedHistory::RecordGame(GameRecord game)
{
    game.endUtc = m_clock.NowUtc();
    (void)Get().Record(game); // a lost row costs only the chart a point
}

std::string SharedHistory::TakeNotice()
{
    return m_history ? m_history->TakeNotice() : std::string();
}

} // namespace tarvelo
