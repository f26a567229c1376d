#pragma once

namespace tarvelo {

// From now on SIGTERM, SIGINT and SIGHUP end the program as the close boxes
// do: every shown window is closed, saving what its close box saves, and the
// event loop ends. The handler only writes to a pipe; the closing runs in the
// event loop. Call once the main window is shown.
void LeaveOnSignals();

} // namespace tarvelo
