#include "state/window_placement.h"

#include "profile/profile_store.h"
#include "state/program_state.h"

#include <algorithm>

namespace tarvelo {

ScreenPoint KeepWithin(ScreenPoint corner, int width, int height, const ScreenArea& available)
{
    const int right = available.left + std::max(0, available.width - width);
    const int bottom = available.top + std::max(0, available.height - height);
    return {std::clamp(corner.x, available.left, right),
            std::clamp(corner.y, available.top, bottom)};
}

void MoveWatch::Moved(ScreenPoint corner, bool fromWindowSystem)
{
    if (m_movedByUser || corner == m_settled)
        return;
    if (fromWindowSystem && m_settling)
        m_settled = corner;
    else
        m_movedByUser = true;
}

bool PlacementStore::OpensMaximized() const
{
    return m_state.profile.Read(settings::kUsers, m_maximizedKey);
}

void PlacementStore::StoreOnExit(const WindowPlacement& placement)
{
    ProfileStore& profile = m_state.profile;
    ProfileBatch batch(profile);
    if (placement.maximized) {
        profile.Write(settings::kUsers, m_maximizedKey, true);
    } else {
        m_state.WindowTop = placement.topTwips;
        m_state.WindowLeft = placement.leftTwips;
        profile.Write(settings::kUsers, settings::kTop, m_state.WindowTop);
        profile.Write(settings::kUsers, settings::kLeft, m_state.WindowLeft);
        profile.Write(settings::kUsers, m_maximizedKey, false);
    }
    (void)batch.Commit(); // a failure is reported by the store
}

void PlacementStore::StoreOnClose(const WindowPlacement& placement)
{
    if (placement.minimized && !placement.maximized)
        return;
    StoreOnExit(placement);
}

} // namespace tarvelo
