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
    refreshOptions();
    setText(m_infoLabel, ui::ToQString(m_options.Hint()));
    const std::string saveNotice = m_options.SaveNotice();
    setText(m_saveNotice, ui::ToQString(saveNotice));
    if (m_saveNotice->isHidden() != saveNotice.empty())
        m_saveNotice->setVisible(!saveNotice.empty());
    const StatsPanel& panel = m_engine.Stats().Panel();
    setText(m_llerrors, QString::fromStdString(panel.llerrors));
    setText(m_llpercent, QString::fromStdString(panel.llpercent));
    setText(m_llwpm, QString::fromStdString(panel.llwpm));
    setText(m_lterrors, QString::fromStdString(panel.lterrors));
    setText(m_ltpercent, QString::fromStdString(panel.ltpercent));
    setText(m_ltwpm, QString::fromStdString(panel.ltwpm));
    setText(m_lTimeSpent, QString::fromStdString(panel.lTimeSpent));
    setText(m_lsentnum, QString::number(m_engine.ShownSentenceNumber()));
    if (m_engine.FocusShown() != m_focusShapeShown) {
        m_focusShapeShown = m_engine.FocusShown();
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
    if (!m_state.user.Drilling())
        return;
    std::vector<ui::SpeedBars::Bar> bars;
    for (const DrillLetter& letter : m_drills.Letters())
        bars.push_back(
            {ui::ToQString(std::string_view(&letter.letter, 1)), letter.confidence, letter.focus});
    m_drillBars->setBars(std::move(bars));
    setText(m_drillTarget, QString("Letters (target %1 wpm):").arg(m_drills.Target().Wpm()));
    setText(m_drillChange, ui::ToQString(m_drills.FocusChange()));
}

void SessionWindow::refreshReader()
{
    const std::optional<int> typed = std::exchange(m_readerTyped, std::nullopt);
    if (!ui::AssistiveToolActive())
        return;
    // The selected option stands for the focus, except while typing.
    const bool moved = m_options.SelectedOption() != m_readerOption;
    m_readerOption = m_options.SelectedOption();
    if (moved || !m_engine.Running())
        m_focusBox->setStandIn(m_optionFrames[static_cast<std::size_t>(*m_readerOption)]);
    if (!m_engine.Running()) {
        m_readerLine.clear();
        return;
    }
    // Not over the lesson introduction: the line is told once typing can start.
    if (!isActiveWindow())
        return;
    const bool lineStart = m_shownExpected != m_readerLine;
    if (!lineStart && !typed)
        return;
    const std::int32_t errors = m_engine.Stats().SessionErrors;
    const bool wrong = typed && errors > m_readerErrors;
    m_readerErrors = errors;
    m_readerLine = m_shownExpected;
    const TypingLine& line = m_engine.Line();
    const std::string text = TypingAnnouncement(
        {wrong ? typed : std::nullopt, lineStart ? m_readerLine : std::string_view{},
         m_engine.NextKeys(), line.E(line.SentencePosition)},
        m_state.layout);
    m_focusBox->setStandIn(m_focusShape);
    ui::Announce(m_focusShape, ui::ToQString(text));
}

void SessionWindow::refreshOptions()
{
    for (int i = 0; i < SessionOptions::kOptionCount; ++i) {
        const auto option = static_cast<SessionOption>(i);
        m_optionFrames[i]->setCaption(ui::ToQString(m_options.Caption(option)));
        m_optionFrames[i]->setColours(m_options.Fill(option), m_options.Border(option),
                                      m_options.CaptionColour(option));
    }
}

void SessionWindow::refreshLines()
{
    const std::string expected = m_engine.ExpectedText();
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
    if (m_engine.Running()) {
        // The caret glyph stands half a cell m_left of the cell it precedes,
        // a little less at the start so it stays inside the line.
        if (const std::optional<int> caret = m_engine.CaretCell())
            glyphs.push_back({*caret == 0 ? -0.3 : *caret - 0.5, QLatin1Char('|'), Qt::black});
        for (const TypedCell& cell : m_engine.TypedCells()) {
            const QString character = ui::ToQString(std::string_view(&cell.character, 1));
            glyphs.push_back(MarkedGlyph(cell.cell, character.at(0), cell.mark));
            typed += character;
        }
    }
    m_typedLine->SetGlyphs(std::move(glyphs), typed);
}
void SessionWindow::syncTimers()
{
    follow(*m_statsTimer, m_engine.StatsTimer());
    follow(*m_caretTimer, m_engine.CaretTimer());
    follow(*m_flashTimer, m_options.FlashTimer());
}

} // namespace tarvelo
