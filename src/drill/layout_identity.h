#pragma once

#include <string>

namespace tarvelo {

class KeyboardLayout;

// A short name for where the letters are on `layout`: eight hex digits of a
// hash of the key, Shift and dead-key flag of every code-page
// letter. Per-key speeds are
// kept per identity, so relabelling a symbol key keeps them and moving a
// letter starts afresh.
std::string LayoutIdentity(const KeyboardLayout& layout);

} // namespace tarvelo
