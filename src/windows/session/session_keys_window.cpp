// SessionWindow: the key edit box over the keyboard, and resetting or
// matching the keyboard layout.
#include "state/palette.h"
#include "state/program_state.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "windows/session/session_window.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace tarvelo {
namespace {

KeyEditor::Modifiers ToModifiers(Qt::KeyboardModifiers modifiers)
{
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

} // namespace

void SessionWindow::openKeyEdit(int key)
{
    if (!m_session.OpenKeyEdit(key))
        return;
    m_keyEdit->clear();
    placeKeyEdit();
    m_keyEdit->show();
    m_keyEdit->raise();
    m_keyEdit->setFocus();
}

void SessionWindow::placeKeyEdit()
{
    const QRect key = m_keyboard->keyRect(m_session.KeyEdit().EditingKey().value_or(0));
    m_keyEdit->setGeometry(key.left(), key.top(), key.width(), std::max(key.height(), 20));
}

bool SessionWindow::keyEditEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_session.KeyEditDown(ToModifiers(key->modifiers()));
        if (!m_session.KeyEdit().IsOpen())
            return true;
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            m_session.ClearKeyEdit();
            afterKeyEdit();
        } else {
            typeIntoKeyEdit(ui::TypedCode(*key));
        }
        return true;
    }
    case QEvent::InputMethod: {
        // A composed character goes on the key; a pre-edit alone types nothing.
        const auto codes =
            ui::CommittedCodes(static_cast<QInputMethodEvent*>(event)->commitString());
        if (!codes.empty())
            typeIntoKeyEdit(codes.front());
        return true;
    }
    case QEvent::KeyRelease:
        m_session.KeyEditUp(ToModifiers(static_cast<QKeyEvent*>(event)->modifiers()));
        return true;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            m_session.CloseKeyEdit()) {
            afterKeyEdit();
        }
        return false;
    default:
        return false;
    }
}

void SessionWindow::typeIntoKeyEdit(int code)
{
    const SessionReply reply = m_session.TypeIntoKeyEdit(code);
    if (reply.taken)
        afterKeyEdit();
    tell(reply.messages);
}

void SessionWindow::afterKeyEdit()
{
    if (!m_session.KeyEdit().IsOpen()) {
        m_keyEdit->hide();
        m_focusBox->setFocus();
    }
    refreshCaptions();
    refresh();
}

void SessionWindow::afterLayoutChange(bool changed)
{
    if (changed) {
        refreshCaptions();
        refresh();
    }
    m_focusBox->setFocus();
}

void SessionWindow::refreshKeyboard()
{
    const std::vector<int>& next = m_session.Engine().NextKeys();
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key) {
        const bool lit = std::find(next.begin(), next.end(), key) != next.end();
        m_keyboard->setFill(key, ui::ShownFill(lit ? palette::kNextKeyFill : palette::kKeyFill));
        m_keyboard->setBorder(key, ui::ShownBorder(key == m_session.Options().HoveredKey()
                                                       ? palette::kHoverBorder
                                                       : palette::kBorder));
    }
}

void SessionWindow::refreshCaptions()
{
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key)
        m_keyboard->setCaption(key, ui::ToQString(m_state.layout.Caption(key)));
}

} // namespace tarvelo
