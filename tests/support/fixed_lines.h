#pragma once

#include "session/line_source.h"

#include <deque>
#include <string>

namespace tarvelo {

// Hands out the queued lines in order, then the last one again and again.
class FixedLines : public LineSource
{
public:
    explicit FixedLines(std::deque<std::string> lines) : m_lines(std::move(lines)) {}

    std::string NextLine(bool) override
    {
        ++handedOut;
        if (m_lines.size() > 1) {
            std::string line = m_lines.front();
            m_lines.pop_front();
            return line;
        }
        return m_lines.empty() ? std::string() : m_lines.front();
    }
    void Rewind(bool) override { ++rewinds; }

    int handedOut = 0;
    int rewinds = 0;

private:
    std::deque<std::string> m_lines;
};

} // namespace tarvelo
