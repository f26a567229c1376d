#pragma once

#include <string>

namespace tarvelo {

// Where the session's lines come from.
class LineSource
{
public:
    virtual ~LineSource() = default;
    // The next practice sentence or lesson drill line; empty when there is
    // nothing to type.
    virtual std::string NextLine(bool lesson) = 0;
    // Typing stopped: the next line is the interrupted one again.
    virtual void Rewind(bool lesson) = 0;
};

} // namespace tarvelo
