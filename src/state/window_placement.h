#pragma once

#include "profile/settings_keys.h"

namespace tarvelo {

struct ProgramState;

// A point and an area of the screen, in pixels.
struct ScreenPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};
struct ScreenArea
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where a frame of `width` x `height` wanted at `corner` opens: moved the
// least that keeps it within `available`; a frame larger than the area keeps
// to the area's top and left edges.
ScreenPoint KeepWithin(ScreenPoint corner, int width, int height, const ScreenArea& available);

// Tells the user's moves of a window from the system's, so that only the
// user's change the stored position: a window that was kept on screen, or
// that the window manager pushed to fit its frame, is left with the position
// it opened for. The window system settles a shown window until it is first
// activated; a move it reports meanwhile is its own. Any other move to a new
// corner is the user's (or one the program asks for after placing).
class MoveWatch
{
public:
    explicit MoveWatch(ScreenPoint placed) : m_settled(placed) {}

    void Shown() { m_settling = true; }
    void Activated() { m_settling = false; }
    void Moved(ScreenPoint corner, bool fromWindowSystem);
    bool MovedByUser() const { return m_movedByUser; }

private:
    ScreenPoint m_settled;
    bool m_settling = true;
    bool m_movedByUser = false;
};

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

    const ProgramState& State() const { return m_state; }
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
