// SessionWindow: loading the session, and what its replies lead to
// (messages, the held writes, leaving for the menu), the target speed and
// the dedication.
#include "state/program_state.h"
#include "ui/focus_box.h"
#include "ui/navigation_keys.h"
#include "ui/text_codec.h"
#include "windows/material/lesson_help_window.h"
#include "windows/session/session_window.h"

#include <QLabel>
#include <QTimer>

namespace tarvelo {

void SessionWindow::load()
{
    placeWindow();
    m_modeLabel->setText(ui::ToQString(m_session.ModeLabel()));
    setWindowTitle(ui::ToQString(m_session.WindowTitle()));
    tell(m_session.Start());
    if (!m_session.HasGuide()) {
        m_helpWindow = new LessonHelpWindow(m_state, this);
        m_helpWindow->hide();
        m_session.SetGuide(m_helpWindow);
    }
    refreshCaptions();
    if (m_helpWindow)
        m_helpWindow->loadLessonLabels();
    refresh();
    m_focusBox->setFocus();
}

void SessionWindow::keyDown(int key)
{
    apply(m_session.KeyDown(ui::ToNavigationKey(key)));
}

void SessionWindow::keyTyped(int code)
{
    const SessionReply reply = m_session.TypeKey(code);
    if (reply.taken)
        m_readerTyped = code;
    apply(reply);
}

void SessionWindow::apply(const SessionReply& reply)
{
    if (!reply.taken)
        return;
    refresh();
    if (reply.writeHeld)
        m_lineWriteTimer->start();
    tell(reply.messages);
    if (reply.leave)
        leave();
    else if (!reply.messages.empty())
        refresh();
}

void SessionWindow::tell(const std::vector<SessionMessage>& messages)
{
    for (const SessionMessage& message : messages)
        m_dialogs.ShowMessage(message.text, message.title, message.icon);
}

void SessionWindow::askTargetSpeed()
{
    const SessionReply reply = m_session.ChooseTargetSpeed();
    if (!reply.taken)
        return;
    tell(reply.messages);
    refresh();
    m_focusBox->setFocus();
}

void SessionWindow::askDedication()
{
    tell(m_session.AskDedication().messages);
    m_focusBox->setFocus();
}

} // namespace tarvelo
