#include "ui/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
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
        if (!offset.isNull())
            m_offset = offset;
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

QPoint PlaceAtTwips(QWidget* window, int left, int top)
{
    const QPoint wanted = TwipsToPixels(left, top, window);
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    QPoint placed = wanted;
    if (screen) {
        const QRect area = screen->availableGeometry();
        const QSize size = window->frameGeometry().size();
        placed.setX(std::clamp(wanted.x(), area.left(),
                               std::max(area.left(), area.right() + 1 - size.width())));
        placed.setY(std::clamp(wanted.y(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    FrameOffsetKeeper* keeper = FrameOffsetKeeper::Of(window);
    keeper->Record();
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
