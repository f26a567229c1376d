#include "ui/accessibility.h"

#include "profile/key_names.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"
#include "ui/typing_line_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <array>

namespace tarvelo::ui {
namespace {

// "Press" works an option as a click does.
class OptionFrameAccessible : public QAccessibleWidget
{
public:
    explicit OptionFrameAccessible(OptionFrame* frame)
        : QAccessibleWidget(frame,
                            frame->isListItem() ? QAccessible::ListItem : QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {

            const QString caption = frame()->caption().trimmed();
            return caption.isEmpty() ? widget()->accessibleName() : caption;
        }
        if (t == QAccessible::Accelerator)
            return frame()->mnemonicText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.selectable = frame()->isListItem();
        if (FocusBox::StandsIn(frame())) {
            state.focused = true;
            state.selected = frame()->isListItem();
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit frame()->pressed();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    OptionFrame* frame() const { return static_cast<OptionFrame*>(widget()); }
};

// Named after its window, so the one focusable object of a window is never
// unnamed; its focus child is what stands for it.
class FocusBoxAccessible : public QAccessibleWidget
{
public:
    explicit FocusBoxAccessible(FocusBox* box) : QAccessibleWidget(box, QAccessible::Client) {}

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = widget()->window()->windowTitle();
        return text;
    }

    QAccessibleInterface* focusChild() const override
    {
        if (QWidget* standIn = static_cast<FocusBox*>(widget())->standIn())
            return QAccessible::queryAccessibleInterface(standIn);
        return QAccessibleWidget::focusChild();
    }
};

// A typing line: its shown text as the text of the object.
class TypingLineAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TypingLineAccessible(QWidget* line) : QAccessibleWidget(line, QAccessible::StaticText)
    {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return shown();
        return QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    int cursorPosition() const override { return characterCount(); }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString shown() const { return widget()->property("text").toString(); }
};

// One on-screen key, a child of the keyboard's interface; "Press" edits it
// as a click does.
class KeyAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    KeyAccessible(KeyboardView* view, int key) : m_view(view), m_key(key) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    bool isValid() const override { return !m_view.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_view.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !m_view)
            return {};
        return ToQString(KeyName(FromQString(m_view->caption(m_key))));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!m_view)
            return {};
        const QRect key = m_view->keyRect(m_key);
        return {m_view->mapToGlobal(key.topLeft()), key.size()};
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_view || !m_view->isVisible() || m_view->keyRect(m_key).isEmpty();
        state.focusable = true;
        state.focused = m_view && m_view->hasFocus() && m_view->cursorKey() == m_key;
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && m_view)
            emit m_view->keyClicked(m_key);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<KeyboardView> m_view;
    int m_key;
};

// The keys come first among the keyboard's children, then its widgets.
class KeyboardAccessible : public QAccessibleWidget
{
public:
    explicit KeyboardAccessible(KeyboardView* view) : QAccessibleWidget(view, QAccessible::Grouping)
    {
        for (int key = 1; key <= KeyboardView::kKeyCount; ++key) {
            auto* child = new KeyAccessible(view, key);
            m_keys[key - 1] = QAccessible::registerAccessibleInterface(child);
        }
    }
    ~KeyboardAccessible() override
    {
        for (const QAccessible::Id id : m_keys)
            QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = QStringLiteral("On-screen keyboard");
        return text;
    }
    int childCount() const override { return kKeys + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index >= 0 && index < kKeys)
            return QAccessible::accessibleInterface(m_keys[static_cast<std::size_t>(index)]);
        return QAccessibleWidget::child(index - kKeys);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < kKeys; ++i) {
            if (QAccessible::accessibleInterface(m_keys[static_cast<std::size_t>(i)]) == child)
                return i;
        }
        const int widgetIndex = QAccessibleWidget::indexOfChild(child);
        return widgetIndex < 0 ? -1 : kKeys + widgetIndex;
    }

private:
    static constexpr int kKeys = KeyboardView::kKeyCount;
    std::array<QAccessible::Id, kKeys> m_keys{};
};

constexpr char kAnnouncement[] = "announcement";

class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Grouping)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description)
            return widget()->property(kAnnouncement).toString();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    // Asked once per object; the casts find the classes without Q_OBJECT too.
    if (auto* frame = qobject_cast<OptionFrame*>(object))
        return new OptionFrameAccessible(frame);
    if (auto* box = qobject_cast<FocusBox*>(object))
        return new FocusBoxAccessible(box);
    if (auto* keyboard = qobject_cast<KeyboardView*>(object))
        return new KeyboardAccessible(keyboard);
    if (auto* line = dynamic_cast<TypingLineView*>(object))
        return new TypingLineAccessible(line);
    if (object->isWidgetType() && object->property(kAnnouncement).isValid())
        return new AnnouncerAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

bool AssistiveToolActive()
{
    return QAccessible::isActive();
}

void NotifyFocus(QWidget* widget)
{
    if (!widget || !QAccessible::isActive() || !widget->isVisible() ||
        !widget->window()->isActiveWindow())
        return;
    QAccessibleEvent event(widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void MakeAnnouncer(QWidget* widget)
{
    InstallAccessibility();
    widget->setProperty(kAnnouncement, QString());
}

void Announce(QWidget* widget, const QString& text)
{
    if (!widget || !QAccessible::isActive())
        return;
    widget->setProperty(kAnnouncement, text);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace tarvelo::ui
