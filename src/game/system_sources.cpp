#include "game/system_sources.h"

#include <ctime>

namespace tarvelo {

SystemRandom::SystemRandom() : m_engine(std::random_device{}()) {}

double SystemRandom::Next()
{
    return m_uniform(m_engine);
}

CalendarDate SystemClock::Today() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace tarvelo
