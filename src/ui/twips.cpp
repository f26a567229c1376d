#include "ui/twips.h"

#include "state/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <optional>

namespace tarvelo::ui {
namespace {

double LogicalDpi(const QWidget* widget)
{
    const QScreen* screen =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

// The window manager's frame around the last window whose frame was known:
// what a window not yet shown will get.
QMargins g_frameMargins;

// Remembers how far a window's client area lies from its frame's top-left,
// while the window manager says so. Once a window is hidden the window
// system may forget its frame, and Qt would then take a new position for the
// client area: a window shown again would come back a title bar too high.
class FrameOffsetKeeper : public QObject
{
public:
    explicit FrameOffsetKeeper(QWidget* window) : QObject(window), m_window(window)
    {
        setObjectName(kName);
        window->installEventFilter(this);
    }

    static FrameOffsetKeeper* Of(QWidget* window)
    {
        // Only this class names a child so; it has no meta-object to cast by.
        if (QObject* keeper = window->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly))
            return static_cast<FrameOffsetKeeper*>(keeper);
        return new FrameOffsetKeeper(window);
    }

    void Record()
    {
        const QPoint offset = m_window->geometry().topLeft() - m_window->pos();
        if (offset.isNull())
            return;
        m_offset = offset;
        const QRect frame = m_window->frameGeometry();
        const QRect client = m_window->geometry();
        g_frameMargins = QMargins(client.left() - frame.left(), client.top() - frame.top(),
                                  frame.right() - client.right(), frame.bottom() - client.bottom());
    }
    std::optional<QPoint> Offset() const { return m_offset; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window) {
            switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
                Record();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    static constexpr const char* kName = "tarvelo_frameOffset";
    QWidget* m_window;
    std::optional<QPoint> m_offset;
};

} // namespace

QPoint TwipsToPixels(int left, int top, const QWidget* widget)
{
    const double perTwip = LogicalDpi(widget) / 1440.0;
    return {static_cast<int>(std::lround(left * perTwip)),
            static_cast<int>(std::lround(top * perTwip))};
}

QPoint PixelsToTwips(QPoint pixels, const QWidget* widget)
{
    const double twipsPerPixel = 1440.0 / LogicalDpi(widget);
    return {static_cast<int>(std::nearbyint(pixels.x() * twipsPerPixel)),
            static_cast<int>(std::nearbyint(pixels.y() * twipsPerPixel))};
}

bool CanPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QMargins KnownFrameMargins()
{
    return g_frameMargins;
}

QPoint PlaceAtTwips(QWidget* window, int left, int top)
{
    const QPoint wanted = TwipsToPixels(left, top, window);
    if (!CanPlaceWindows())
        return wanted;
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    FrameOffsetKeeper* keeper = FrameOffsetKeeper::Of(window);
    keeper->Record();
    QPoint placed = wanted;
    if (screen) {
        // A window not yet framed gets the frame the last one had.
        QSize size = window->frameGeometry().size();
        if (window->frameGeometry() == window->geometry())
            size = size.grownBy(g_frameMargins);
        const QRect area = screen->availableGeometry();
        const ScreenPoint kept = KeepWithin({wanted.x(), wanted.y()}, size.width(), size.height(),
                                            {area.left(), area.top(), area.width(), area.height()});
        placed = QPoint(kept.x, kept.y);
    }
    const bool frameForgotten = window->testAttribute(Qt::WA_WState_Created) &&
                                !window->isVisible() &&
                                window->pos() == window->geometry().topLeft();
    if (frameForgotten && keeper->Offset())
        window->setGeometry(QRect(placed + *keeper->Offset(), window->size()));
    else
        window->move(placed); // the frame's top-left, as Qt takes it
    return placed;
}

} // namespace tarvelo::ui
