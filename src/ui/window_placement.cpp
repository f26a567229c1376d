#include "ui/window_placement.h"

#include "state/program_state.h"
#include "ui/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tarvelo::ui {
namespace {

// Follows a placed window's moves for the logic's MoveWatch and keeps the
// stored position it opened for.
class PlacementWatch : public QObject
{
public:
    PlacementWatch(QWidget& window, QPoint placed, int leftTwips, int topTwips)
        : QObject(&window), m_window(window), m_watch({placed.x(), placed.y()}),
          m_leftTwips(leftTwips), m_topTwips(topTwips)
    {
        setObjectName(kName);
        window.installEventFilter(this);
    }

    static PlacementWatch* Of(const QWidget& window)
    {
        // Only this class names a child so; it has no meta-object to cast by.
        QObject* watch = window.findChild<QObject*>(kName, Qt::FindDirectChildrenOnly);
        return static_cast<PlacementWatch*>(watch);
    }

    bool MovedByUser() const { return m_watch.MovedByUser(); }
    int LeftTwips() const { return m_leftTwips; }
    int TopTwips() const { return m_topTwips; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_window)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            m_watch.Shown();
            break;
        case QEvent::WindowActivate:
            m_watch.Activated();
            break;
        case QEvent::Move:
            // Only the window system's own events are spontaneous.
            m_watch.Moved({m_window.x(), m_window.y()}, event->spontaneous());
            break;
        default:
            break;
        }
        return false;
    }

private:
    static constexpr const char* kName = "tarvelo_placementWatch";
    QWidget& m_window;
    MoveWatch m_watch;
    int m_leftTwips;
    int m_topTwips;
};

QRect AvailableArea(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

void ResizeWithin(QWidget& window, QSize preferred)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(preferred);
        return;
    }
    const QSize room = screen->availableGeometry().size().shrunkBy(KnownFrameMargins());
    window.resize(preferred.boundedTo(room).expandedTo(window.minimumSizeHint()));
}

void PlaceWindow(QWidget& window, const ProgramState& state, QSize preferred, bool maximized)
{
    // A little short of the whole area, so the desktop shows around it.
    if (preferred.isValid())
        ResizeWithin(window, preferred.boundedTo(AvailableArea(window).size() * 9 / 10));
    // The stored corner, kept on screen; also where a maximized window
    // returns to.
    const QPoint placed = PlaceAtTwips(&window, state.WindowLeft, state.WindowTop);
    delete PlacementWatch::Of(window);
    new PlacementWatch(window, placed, state.WindowLeft, state.WindowTop);
    if (maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void PlaceOver(QWidget& window, const QWidget& owner, QPoint offset)
{
    const QPoint wanted = owner.window()->pos() + offset;
    const QRect available = AvailableArea(owner);
    const ScreenPoint placed = KeepWithin(
        {wanted.x(), wanted.y()}, window.frameGeometry().width(), window.frameGeometry().height(),
        {available.left(), available.top(), available.width(), available.height()});
    window.move(placed.x, placed.y);
}

void CentreOver(QWidget& window, const QWidget* owner)
{
    const QRect available = AvailableArea(owner ? *owner : window);
    const QRect over = owner ? owner->window()->frameGeometry() : available;
    QRect centred(QPoint(0, 0), window.size());
    centred.moveCenter(over.center());
    const ScreenPoint placed =
        KeepWithin({centred.left(), centred.top()}, window.width(), window.height(),
                   {available.left(), available.top(), available.width(), available.height()});
    window.move(placed.x, placed.y);
}

WindowPlacement PlacementOf(const QWidget& window)
{
    const PlacementWatch* watch = PlacementWatch::Of(window);
    // Where positions are unknown, the stored one stays.
    if (watch && (!CanPlaceWindows() || !watch->MovedByUser()))
        return {window.isMaximized(), window.isMinimized(), watch->LeftTwips(), watch->TopTwips()};
    // The frame's top-left: what PlaceAtTwips restores.
    const QPoint twips = PixelsToTwips(window.frameGeometry().topLeft(), &window);
    return {window.isMaximized(), window.isMinimized(), twips.x(), twips.y()};
}

} // namespace tarvelo::ui
