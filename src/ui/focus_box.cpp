#include "ui/focus_box.h"

#include "ui/accessibility.h"
#include "ui/text_codec.h"

#include <QKeyEvent>

namespace tarvelo::ui {

FocusBox::FocusBox(QWidget* parent) : QWidget(parent)
{
    setObjectName("ControlBox");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    resize(0, 0);
    InstallAccessibility();
}

namespace {
constexpr char kStandsIn[] = "standsInForFocus";
}

void FocusBox::setStandIn(QWidget* standIn)
{
    if (m_standIn == standIn)
        return;
    if (m_standIn)
        m_standIn->setProperty(kStandsIn, false);
    m_standIn = standIn;
    if (!standIn)
        return;
    standIn->setProperty(kStandsIn, true);
    if (hasFocus())
        NotifyFocus(standIn);
}

bool FocusBox::StandsIn(const QWidget* widget)
{
    return widget->property(kStandsIn).toBool();
}

void FocusBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // After the focus event Qt sends for the box itself.
    if (m_standIn && AssistiveToolActive()) {
        QMetaObject::invokeMethod(
            this, [this] { NotifyFocus(m_standIn); }, Qt::QueuedConnection);
    }
}

int TypedCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty() || event.modifiers().testFlag(Qt::ControlModifier))
        return 0;
    // Other control characters type nothing: Delete carries "\x7f" on X11,
    // and keys of some layouts carry C1 controls.
    if (text.at(0).category() == QChar::Other_Control)
        return 0;
    const std::string bytes = FromQString(text);
    return bytes.empty() ? 0 : static_cast<unsigned char>(bytes.front());
}

bool FocusBox::event(QEvent* event)
{
    // Tab would move the focus away; it is a key like any other here.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void FocusBox::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key(), event->modifiers());
    if (const int code = TypedCode(*event))
        emit keyTyped(code);
    event->accept();
}

void FocusBox::keyReleaseEvent(QKeyEvent* event)
{
    emit keyUp(event->key(), event->modifiers());
    event->accept();
}

} // namespace tarvelo::ui
