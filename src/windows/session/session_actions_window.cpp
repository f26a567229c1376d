// SessionWindow: loading the session, and what keys and chosen options lead
// to (the target speed, the dedication, leaving for the menu).
#include "drill/drill_sources.h"
#include "history/shared_history.h"
#include "profile/app_folder.h"
#include "profile/key_codes.h"
#include "state/program_state.h"
#include "ui/focus_box.h"
#include "ui/navigation_keys.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"
#include "windows/material/lesson_help_window.h"
#include "windows/session/session_window.h"

#include <QLabel>
#include <QTimer>
#include <string>

namespace tarvelo {

void SessionWindow::load()
{
    placeWindow();
    m_options.Load();
    m_modeLabel->setText(ui::ToQString(m_options.ModeLabel()));
    setWindowTitle(ui::ToQString(SessionWindowTitle(m_state.user)));
    m_practice.LoadPracticeText(DataFilePath(m_state.appFolder, PracticeText::kFileName));
    m_material.PracticeTextRead(m_practice.LastRead());
    m_lessons.LoadLessons(m_state.user.UserSection);
    if (m_state.user.SessionNumber == 0) {
        m_dialogs.ShowMessage(SessionOptions::kFirstUseText, SessionOptions::kFirstUseTitle,
                              MessageIcon::None);
    }
    if (const auto missing = m_material.MissingAtStart())
        m_dialogs.ShowMessage(*missing, SessionOptions::kMessageTitle, MessageIcon::Exclamation);
    if (const auto& unreadable = m_material.Unreadable())
        m_dialogs.ShowMessage(*unreadable, SessionOptions::kMessageTitle, MessageIcon::Exclamation);
    if (!m_guide.target) {
        m_helpWindow = new LessonHelpWindow(m_state, this);
        m_helpWindow->hide();
        m_guide.target = m_helpWindow;
    }
    if (m_state.user.Drilling())
        loadDrills();
    m_state.layout.SetKeyCaptions();
    refreshCaptions();
    if (m_helpWindow)
        m_helpWindow->loadLessonLabels();
    refresh();
    m_focusBox->setFocus();
}

// The drills learn the practice text's letters and words, and the user's
// speeds from every run on this keyboard layout.
void SessionWindow::loadDrills()
{
    const DrillSources sources = ReadDrillSources(m_state);
    m_drills.Load(sources.practiceFile, sources.logs, sources.target);
    m_recorder.SetLineTyped([this](std::span<const Keystroke> line) { m_drills.FoldLine(line); });
}

void SessionWindow::askTargetSpeed()
{
    const std::string& section = m_state.user.UserSection;
    const auto answer = m_dialogs.AskText(DrillLines::kTargetPrompt, SessionOptions::kMessageTitle,
                                          std::to_string(m_drills.Target().Wpm()));
    if (answer) {
        if (const std::optional<int> wpm = ParseTargetWpm(*answer)) {
            m_state.profile.Write(section, settings::kTargetWpm, static_cast<std::int16_t>(*wpm));
            m_drills.SetTarget(TargetSpeed(*wpm));
        } else {
            m_dialogs.ShowMessage(DrillLines::kTargetRefused, SessionOptions::kMessageTitle,
                                  MessageIcon::Exclamation);
        }
    }
    refresh();
    m_focusBox->setFocus();
}

void SessionWindow::keyDown(int key)
{
    if (hasLeft())
        return;
    handle(m_options.KeyDown(ui::ToNavigationKey(key)));
}

void SessionWindow::keyTyped(int code)
{
    // Escape works as an option key only.
    if (hasLeft() || code == keycode::kEscape)
        return;
    m_readerTyped = code;
    handle(m_options.TypeKey(code));
}

void SessionWindow::handle(OptionOutcome outcome)
{
    refresh();
    if (m_recorder.HasHeld() || m_engine.HasHeldSave())
        m_lineWriteTimer->start();
    tellHistoryNotice();
    switch (outcome) {
    case OptionOutcome::None:
        break;
    case OptionOutcome::ExitToMenu:
        leave();
        break;
    case OptionOutcome::NothingToType:
        m_dialogs.ShowMessage(m_material.NothingToType(m_options.NothingToTypeMessage()),
                              SessionOptions::kMessageTitle, MessageIcon::Information);
        refresh();
        break;
    }
}
void SessionWindow::askDedication()
{
    const auto answer =
        m_dialogs.AskText(SessionOptions::kDedicationPrompt, SessionOptions::kMessageTitle, "");
    if (answer && IsDedicationAnswer(*answer)) {
        m_dialogs.ShowMessage(SessionOptions::kDedicationText, SessionOptions::kDedicationTitle,
                              MessageIcon::None);
    }
    m_focusBox->setFocus();
}

void SessionWindow::tellHistoryNotice()
{
    if (const std::string notice = m_state.history.TakeNotice(); !notice.empty())
        m_dialogs.ShowMessage(notice, SessionOptions::kMessageTitle, MessageIcon::Exclamation);
}
} // namespace tarvelo
