#pragma once

#include "drill/key_speed.h"

#include <string>
#include <vector>

namespace tarvelo {

struct ProgramState;

// What the drills are made from for the current user: the practice text as
// stored, the packed keystrokes of the user's runs on the current keyboard
// layout (oldest first) and the user's target speed.
struct DrillSources
{
    std::string practiceFile; // empty when it cannot be read
    std::vector<std::string> logs;
    TargetSpeed target;
};

DrillSources ReadDrillSources(ProgramState& state);

} // namespace tarvelo
