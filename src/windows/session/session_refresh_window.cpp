// SessionWindow: refresh(), the one path from the logic's state to the
// widgets: options, panel, typing lines, drill panel, screen reader, timers.
#include "session/typing_announcement.h"
#include "state/palette.h"
#include "state/program_state.h"
#include "ui/accessibility.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/logic_timer.h"
#include "ui/option_frame.h"
#include "ui/speed_bars.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/typing_line_view.h"
#include "windows/session/session_window.h"

#include <QLabel>
#include <QTimer>
#include <utility>
#include <vector>

namespace tarvelo {
namespace {

// A typed character as its mark shows it; in high contrast a wrong one is
// also underlined and a swapped pair overlined.
ui::TypingLineView::Glyph MarkedGlyph(int cell, QChar character, Mark mark)
{
    using Rule = ui::TypingLineView::Rule;
    const bool highContrast = ui::HighContrast();
    const palette::MarkColours& colours =
        highContrast ? palette::high_contrast::kMarks : palette::kMarks;
    std::int32_t colour = colours.correct;
    Rule rule = Rule::None;
    switch (mark) {
    case Mark::Correct:
        break;
    case Mark::Wrong:
        colour = colours.wrong;
        rule = Rule::Under;
        break;
    case Mark::SwappedFirst:
        colour = colours.swappedFirst;
        rule = Rule::Over;
        break;
    case Mark::SwappedSecond:
        colour = colours.swappedSecond;
        rule = Rule::Over;
        break;
    }
    return {static_cast<double>(cell), character, ui::FromBgr(colour),
            highContrast ? rule : Rule::None};
}

} // namespace

void SessionWindow::setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

void SessionWindow::refresh()
{
    const TypingEngine& engine = m_session.Engine();
    refreshOptions();
    setText(m_infoLabel, ui::ToQString(m_session.Options().Hint()));
    const std::string saveNotice = m_session.SaveNotice();
    setText(m_saveNotice, ui::ToQString(saveNotice));
    if (m_saveNotice->isHidden() != saveNotice.empty())
        m_saveNotice->setVisible(!saveNotice.empty());
    const StatsPanel& panel = engine.Stats().Panel();
    setText(m_llerrors, QString::fromStdString(panel.lastLineErrors));
    setText(m_llpercent, QString::fromStdString(panel.lastLinePercentage));
    setText(m_llwpm, QString::fromStdString(panel.lastLineWpm));
    setText(m_lterrors, QString::fromStdString(panel.totalErrors));
    setText(m_ltpercent, QString::fromStdString(panel.totalPercentage));
    setText(m_ltwpm, QString::fromStdString(panel.totalWpm));
    setText(m_lTimeSpent, QString::fromStdString(panel.minutesSpent));
    setText(m_lsentnum, QString::number(engine.ShownSentenceNumber()));
    if (engine.FocusShown() != m_focusShapeShown) {
        m_focusShapeShown = engine.FocusShown();
        ui::ShowFocusFrame(m_focusShape, m_focusShapeShown);
    }
    refreshLines();
    refreshDrill();
    refreshReader();
    refreshKeyboard();
    syncTimers();
}

void SessionWindow::refreshDrill()
{
    if (!m_session.Drilling())
        return;
    const DrillLines& drills = m_session.Drills();
    std::vector<ui::SpeedBars::Bar> bars;
    for (const DrillLetter& letter : drills.Letters())
        bars.push_back(
            {ui::ToQString(std::string_view(&letter.letter, 1)), letter.confidence, letter.focus});
    m_drillBars->setBars(std::move(bars));
    setText(m_drillTarget, QString("Letters (target %1 wpm):").arg(drills.Target().Wpm()));
    setText(m_drillChange, ui::ToQString(drills.FocusChange()));
}

void SessionWindow::refreshReader()
{
    const std::optional<int> typed = std::exchange(m_readerTyped, std::nullopt);
    if (!ui::AssistiveToolActive())
        return;
    const SessionOptions& options = m_session.Options();
    const TypingEngine& engine = m_session.Engine();
    // The selected option stands for the focus, except while typing.
    const bool moved = options.SelectedOption() != m_readerOption;
    m_readerOption = options.SelectedOption();
    if (moved || !engine.Running())
        m_focusBox->setStandIn(m_optionFrames[static_cast<std::size_t>(*m_readerOption)]);
    if (!engine.Running()) {
        m_readerLine.clear();
        return;
    }
    // Not over the lesson introduction: the line is told once typing can start.
    if (!isActiveWindow())
        return;
    const bool lineStart = m_shownExpected != m_readerLine;
    if (!lineStart && !typed)
        return;
    const std::int32_t errors = engine.Stats().SessionErrors;
    const bool wrong = typed && errors > m_readerErrors;
    m_readerErrors = errors;
    m_readerLine = m_shownExpected;
    const TypingLine& line = engine.Line();
    const std::string text = TypingAnnouncement(
        {wrong ? typed : std::nullopt, lineStart ? m_readerLine : std::string_view{},
         engine.NextKeys(), line.ExpectedAt(line.SentencePosition)},
        m_state.layout);
    m_focusBox->setStandIn(m_focusShape);
    ui::Announce(m_focusShape, ui::ToQString(text));
}

void SessionWindow::refreshOptions()
{
    const SessionOptions& options = m_session.Options();
    for (int i = 0; i < SessionOptions::kOptionCount; ++i) {
        const auto option = static_cast<SessionOption>(i);
        m_optionFrames[i]->setCaption(ui::ToQString(options.Caption(option)));
        m_optionFrames[i]->setColours(options.Fill(option), options.Border(option),
                                      options.CaptionColour(option));
    }
}

void SessionWindow::refreshLines()
{
    const TypingEngine& engine = m_session.Engine();
    const std::string expected = engine.ExpectedText();
    if (expected != m_shownExpected) {
        m_shownExpected = expected;
        const QString text = ui::ToQString(expected);
        std::vector<ui::TypingLineView::Glyph> glyphs;
        glyphs.reserve(static_cast<std::size_t>(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != QLatin1Char(' '))
                glyphs.push_back({static_cast<double>(i), text[i], Qt::black});
        }
        m_expectedLine->SetGlyphs(std::move(glyphs), text);
    }

    // The typed line is drawn only while a run is on; stopped, it stays empty.
    std::vector<ui::TypingLineView::Glyph> glyphs;
    QString typed;
    if (engine.Running()) {
        // The caret glyph stands half a cell left of the cell it precedes,
        // a little less at the start so it stays inside the line.
        if (const std::optional<int> caret = engine.CaretCell())
            glyphs.push_back({*caret == 0 ? -0.3 : *caret - 0.5, QLatin1Char('|'), Qt::black});
        for (const TypedCell& cell : engine.TypedCells()) {
            const QString character = ui::ToQString(std::string_view(&cell.character, 1));
            glyphs.push_back(MarkedGlyph(cell.cell, character.at(0), cell.mark));
            typed += character;
        }
    }
    m_typedLine->SetGlyphs(std::move(glyphs), typed);
}
void SessionWindow::syncTimers()
{
    follow(*m_statsTimer, m_session.Engine().StatsTimer());
    follow(*m_caretTimer, m_session.Engine().CaretTimer());
    follow(*m_flashTimer, m_session.Options().FlashTimer());
}

} // namespace tarvelo
