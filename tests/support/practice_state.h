#pragma once

#include "state/program_state.h"

namespace tarvelo::test {

// User Ann in slot 0, practising in session 3 on the folder's layout.
inline void ReadyForPractice(ProgramState& state)
{
    state.layout.Load(state.profile);
    state.user.SelectSlot(0);
    state.user.UserName = "Ann";
    state.user.SessionNumber = 3;
    state.user.TypeMode = RunMode::Practice;
}

} // namespace tarvelo::test
