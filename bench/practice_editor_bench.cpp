// Save Changes on a 350-line practice text: the code-page check, the atomic
// write of the file, "sentencenumber" and the reload of the sentences.

#include "editor/practice_editor.h"
#include "platform/dialogs.h"
#include "state/program_state.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace tarvelo;

class QuietDialogs : public Dialogs
{
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon, DefaultAnswer) override
    {
        return true;
    }
    std::optional<std::string> AskText(std::string_view, std::string_view,
                                       std::string_view) override
    {
        return std::nullopt;
    }
};

void BM_SavePracticeText350Lines(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tarvelo-bench-editor";
    fs::create_directories(folder);
    fs::copy_file(fs::path(TARVELO_DATA_DIR) / "Tarvelo.INI", folder / "Tarvelo.INI",
                  fs::copy_options::overwrite_existing);
    std::ifstream in(std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt", std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    const auto lines = ReadPracticeLines(whole.str());
    std::u32string text;
    for (std::size_t i = 0; i < PracticeText::kMaxLines; ++i) {
        for (const unsigned char c : lines[i % lines.size()])
            text += static_cast<char32_t>(c);
        text += U'\n';
    }

    ProgramState program(folder.string() + "/");
    QuietDialogs dialogs;
    PracticeEditor editor(program, dialogs);
    for (auto _ : state) {
        editor.TextChanged();
        if (editor.Save(text) != EditorAction::Saved)
            state.SkipWithError("not saved");
    }
    state.counters["sentences"] = static_cast<double>(editor.Practice().PracticeSentences().size());
    fs::remove_all(folder);
}
BENCHMARK(BM_SavePracticeText350Lines)->Unit(benchmark::kMillisecond);

} // namespace
