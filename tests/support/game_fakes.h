#pragma once

#include "platform/clock.h"
#include "platform/random_source.h"
#include "platform/sound.h"

#include <deque>
#include <string>
#include <vector>

namespace tarvelo::test {

// Draws from a queue; an empty queue loses every toss.
class ScriptedRandom : public RandomSource
{
public:
    double Next() override
    {
        ++draws;
        if (queue.empty())
            return 0.0;
        const double u = queue.front();
        queue.pop_front();
        return u;
    }
    // The draws that pick `column` and `code`, and of one won toss placing
    // `code` in `column`.
    static double Column(int column) { return (column + 0.5) / 20; }
    static double Code(unsigned char code) { return (code - 0.5) / 255; }
    void Spawn(int column, unsigned char code)
    {
        queue.insert(queue.end(), {0.75, Column(column), Code(code)});
    }

    std::deque<double> queue;
    int draws = 0;
};

// Records every call as a word; the tune's length and position are set by
// the test.
class RecordingSound : public Sound
{
public:
    bool PlayWave(const std::string& path) override { return Record("wave " + path); }
    bool OpenMusic(const std::string&) override { return Record("open"); }
    void PlayMusic() override { Record("play"); }
    void StopMusic() override { Record("stop"); }
    void CloseMusic() override { Record("close"); }
    double MusicLength() override { return length; }
    double MusicPosition() override { return position; }

    bool Record(std::string call)
    {
        calls.push_back(std::move(call));
        return true;
    }
    std::vector<std::string> calls;
    double length = 0;
    double position = 0;
};

class FixedClock : public Clock
{
public:
    CalendarDate Today() const override { return today; }
    CalendarDate today{2026, 3, 7};
};

} // namespace tarvelo::test
