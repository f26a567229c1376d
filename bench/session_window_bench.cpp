// Keystroke to pixels: from a key event delivered to the session window
// until the typed line has repainted (it repaints synchronously), offscreen.
// With input methods on; the second run types every accented letter as a
// dead key, its pre-edit and the input method's commit, timed together.

#include "platform/beeper.h"
#include "platform/dialogs.h"
#include "state/program_state.h"
#include "ui/focus_box.h"
#include "windows/session/session_window.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <vector>

namespace {

using namespace tarvelo;

class SilentBeeper : public Beeper
{
public:
    void Beep() override {}
};

class QuietDialogs : public Dialogs
{
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon, DefaultAnswer) override
    {
        return false;
    }
    std::optional<std::string> AskText(std::string_view, std::string_view,
                                       std::string_view) override
    {
        return std::nullopt;
    }
};

void BM_KeystrokeToPixels(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tarvelo-bench-window";
    fs::create_directories(folder);
    for (const char* name : {"Tarvelo.INI", "Tarvelo Text1.txt", "Masada.jpg"})
        fs::copy_file(fs::path(TARVELO_DATA_DIR) / name, folder / name,
                      fs::copy_options::overwrite_existing);

    ProgramState program(folder.string() + "/");
    program.user.TypeMode = RunMode::Practice;
    program.user.SessionNumber = 1;
    program.layout.Load(program.profile);
    SilentBeeper beeper;
    QuietDialogs dialogs;
    SessionWindow::Services services;
    services.beeper = &beeper;
    services.dialogs = &dialogs;
    SessionWindow window(program, services);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    auto* box = window.findChild<ui::FocusBox*>("ControlBox");

    const auto press = [&](int key, const QString& text) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(box, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(box, &up);
    };
    press(Qt::Key_Return, "\r"); // Begin

    const auto compose = [&](const QString& letter) {
        press(Qt::Key_Dead_Acute, {});
        QInputMethodEvent preEdit(QString(QChar(0xB4)), {});
        QApplication::sendEvent(box, &preEdit);
        QInputMethodEvent commit;
        commit.setCommitString(letter);
        QApplication::sendEvent(box, &commit);
    };

    // Keys within a line apart: a line's end also stores the totals and the
    // run, which waits for the disk.
    const auto* sentence = window.findChild<QLabel*>("lsentnum");
    std::vector<double> micros;
    std::vector<double> inLine;
    const QString keys = state.range(0)
                             ? QString::fromUtf8("thé quick brówn fox jumps óvér thé lázy dog ")
                             : QString("the quick brown fox jumps over the lazy dog ");
    int i = 0;
    for (auto _ : state) {
        const QChar c = keys[i++ % keys.size()];
        const QString before = sentence->text();
        const auto start = std::chrono::steady_clock::now();
        if (c.unicode() >= 0x80)
            compose(QString(c));
        else
            press(c == ' ' ? Qt::Key_Space : Qt::Key_A + (c.unicode() - 'a'), QString(c));
        const double taken =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        micros.push_back(taken);
        if (sentence->text() == before)
            inLine.push_back(taken);
        QApplication::processEvents();
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    std::sort(inLine.begin(), inLine.end());
    state.counters["p99_in_line_us"] = inLine[inLine.size() * 99 / 100];
    fs::remove_all(folder);
}
BENCHMARK(BM_KeystrokeToPixels)
    ->ArgName("composed")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
