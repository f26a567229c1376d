#pragma once

#include "profile/settings_keys.h"

namespace tarvelo {

struct ProgramState;

// A window's state and top-left corner (twips) as it is left.
struct WindowPlacement
{
    bool maximized = false;
    bool minimized = false;
    int leftTwips = 0;
    int topTwips = 0;
};

// What the windows of an activity keep between uses: the shared position
// ("top" and "left" of "users", also in ProgramState) and whether the window
// was left maximized, under the window's own key ("mainmaximized" for the
// session window, "gamemaximized" for the game).
class PlacementStore
{
public:
    PlacementStore(ProgramState& state, const settings::BooleanKey& maximizedKey)
        : m_state(state), m_maximizedKey(maximizedKey)
    {}

    bool OpensMaximized() const;
    // Leaving for the main menu: a maximized window stores only its flag;
    // any other stores the position and clears the flag, in one write.
    void StoreOnExit(const WindowPlacement& placement);
    // The close box: the same, except that a minimized window stores nothing.
    void StoreOnClose(const WindowPlacement& placement);

private:
    ProgramState& m_state;
    const settings::BooleanKey& m_maximizedKey;
};

} // namespace tarvelo
