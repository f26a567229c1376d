// SessionWindow: the key edit box over the keyboard, and resetting or
// matching the keyboard layout.
#include "profile/key_codes.h"
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
    if (!m_keyEditor.Open(key))
        return;
    m_keyEdit->clear();
    placeKeyEdit();
    m_keyEdit->show();
    m_keyEdit->raise();
    m_keyEdit->setFocus();
}

void SessionWindow::placeKeyEdit()
{
    const QRect key = m_keyboard->keyRect(m_keyEditor.EditingKey().value_or(0));
    m_keyEdit->setGeometry(key.left(), key.top(), key.width(), std::max(key.height(), 20));
}

bool SessionWindow::keyEditEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_keyEditor.KeyDown(ToModifiers(key->modifiers()));
        if (!m_keyEditor.IsOpen())
            return true;
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
            afterKeyEdit(m_keyEditor.Clear());
        else
            typeIntoKeyEdit(ui::TypedCode(*key));
        return true;
    }
    case QEvent::InputMethod: {
        // A composed character goes on the key; a pre-edit alone types nothing.
        const auto codes =
            ui::CommittedCodes(static_cast<QInputMethodEvent*>(event)->commitString());
        if (!codes.empty() && m_keyEditor.IsOpen())
            typeIntoKeyEdit(codes.front());
        return true;
    }
    case QEvent::KeyRelease:
        m_keyEditor.KeyUp(ToModifiers(static_cast<QKeyEvent*>(event)->modifiers()));
        return true;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            m_keyEditor.IsOpen()) {
            m_keyEditor.Close();
            afterKeyEdit(false);
        }
        return false;
    default:
        return false;
    }
}

void SessionWindow::typeIntoKeyEdit(int code)
{
    if (code == keycode::kOutsideCodePage) {
        m_keyEditor.Close();
        afterKeyEdit(false);
        m_dialogs.ShowMessage(KeyEditor::kOutsideCodePage, KeyEditor::kOutsideCodePageTitle,
                              MessageIcon::Exclamation);
    } else if (code == keycode::kEscape || code >= keycode::kFirstPrintable) {
        afterKeyEdit(m_keyEditor.Type(code));
    }
}

void SessionWindow::afterKeyEdit(bool edited)
{
    if (!m_keyEditor.IsOpen()) {
        m_keyEdit->hide();
        m_focusBox->setFocus();
    }
    refreshCaptions();
    if (edited && m_engine.Running())
        m_engine.ShowNextKey();
    refresh();
}

void SessionWindow::resetKeys()
{
    afterLayoutChange(m_keyEditor.Reset(m_dialogs));
}

void SessionWindow::matchKeyboard()
{
    afterLayoutChange(m_keyEditor.Match(m_dialogs, m_keyboards));
}

void SessionWindow::afterLayoutChange(bool changed)
{
    if (changed) {
        refreshCaptions();
        if (m_engine.Running())
            m_engine.ShowNextKey();
        refresh();
    }
    m_focusBox->setFocus();
}
void SessionWindow::refreshKeyboard()
{
    const std::vector<int>& next = m_engine.NextKeys();
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key) {
        const bool lit = std::find(next.begin(), next.end(), key) != next.end();
        m_keyboard->setFill(key, ui::ShownFill(lit ? palette::kNextKeyFill : palette::kKeyFill));
        m_keyboard->setBorder(key, ui::ShownBorder(key == m_options.HoveredKey()
                                                       ? SessionOptions::kHoverKeyBorder
                                                       : SessionOptions::kKeyBorder));
    }
}

void SessionWindow::refreshCaptions()
{
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key)
        m_keyboard->setCaption(key, ui::ToQString(m_state.layout.Caption(key)));
}

} // namespace tarvelo
