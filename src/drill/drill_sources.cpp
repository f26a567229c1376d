#include "drill/drill_sources.h"

#include "drill/layout_identity.h"
#include "history/run_history.h"
#include "history/shared_history.h"
#include "material/practice_text.h"
#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "state/program_state.h"

namespace tarvelo {

DrillSources ReadDrillSources(ProgramState& state)
{
    const std::string& section = state.user.UserSection;
    DrillSources sources;
    FileContents text = ReadDataFile(DataFilePath(state.appFolder, PracticeText::kFileName),
                                     PracticeText::kMaxFileBytes);
    if (text.status == ReadStatus::Ok)
        sources.practiceFile = std::move(text.bytes);
    sources.logs = state.history.Get().KeystrokeLogs(section, LayoutIdentity(state.layout));
    sources.target = TargetSpeed(state.profile.Read(section, settings::kTargetWpm));
    return sources;
}

} // namespace tarvelo
