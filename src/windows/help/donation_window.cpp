#include "windows/help/donation_window.h"

#include "state/window_placement.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace tarvelo {

DonationWindow::DonationWindow(std::function<void()> openDonationPage, QWidget* parent)
    : QWidget(parent, Qt::Window), m_openDonationPage(std::move(openDonationPage))
{
    setObjectName("Donation");
    setWindowTitle(ui::ToQString(DonationRequest::kTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);

    auto* heading = new QLabel(ui::ToQString(DonationRequest::kHeading));
    heading->setObjectName("lHeading");
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    heading->setFont(font);

    // Read-only and never focused: the text cannot be edited or even selected.
    m_text = new QPlainTextEdit;
    m_text->setObjectName("txtRequest");
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    m_text->setPlainText(ui::ToQString(DonationRequest::Text()).replace("\r\n", "\n"));
    setAccessibleDescription(m_text->toPlainText()); // read with the title as it opens
    m_text->viewport()->setMouseTracking(true);
    m_text->viewport()->installEventFilter(this);

    auto* options = new QHBoxLayout;
    options->addStretch();
    for (int i = 0; i < 2; ++i) {
        const auto option = static_cast<DonationOption>(i);
        auto* frame = new ui::OptionFrame(ui::ToQString(DonationRequest::OptionCaption(option)));
        frame->setObjectName(QString("sOption%1").arg(i));
        frame->setMinimumWidth(100);
        connect(frame, &ui::OptionFrame::pressed, this, [this, option] { pressOption(option); });
        connect(frame, &ui::OptionFrame::hovered, this, [this, option] { hoverOption(option); });
        frame->setTabStop();
        frame->setMnemonic(frame->caption().at(0));
        options->addWidget(frame);
        m_options[static_cast<std::size_t>(i)] = frame;
    }
    options->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(heading);
    layout->addWidget(m_text, 1);
    layout->addLayout(options);
    ui::ResizeWithin(*this, QSize(480, 400));
    // Enter presses the focused option, Ignore at first; Escape ignores.
    setFocusProxy(m_options[static_cast<std::size_t>(DonationOption::Ignore)]);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            [this] { pressOption(DonationOption::Ignore); });
    refresh();
}

DonationWindow::~DonationWindow()
{
    m_text->viewport()->removeEventFilter(this);
}

void DonationWindow::showOver(const QWidget* activity)
{
    const QScreen* screen =
        activity && activity->screen() ? activity->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect over = activity ? activity->frameGeometry() : available;
    QRect centred(QPoint(0, 0), size());
    centred.moveCenter(over.center());
    const ScreenPoint placed =
        KeepWithin({centred.left(), centred.top()}, width(), height(),
                   {available.left(), available.top(), available.width(), available.height()});
    move(placed.x, placed.y);
    show();
    raise();
    activateWindow();
    setFocus();
}

void DonationWindow::pressOption(DonationOption option)
{
    hide();
    if (option == DonationOption::Donate && m_openDonationPage)
        m_openDonationPage();
    close();
}

void DonationWindow::hoverOption(std::optional<DonationOption> option)
{
    if (m_request.Hovered() == option)
        return;
    m_request.HoverOption(option);
    refresh();
}

void DonationWindow::refresh()
{
    for (int i = 0; i < 2; ++i) {
        ui::OptionFrame* frame = m_options[static_cast<std::size_t>(i)];
        frame->setBorder(m_request.OptionBorder(static_cast<DonationOption>(i)));
    }
}

void DonationWindow::mouseMoveEvent(QMouseEvent* event)
{
    hoverOption(std::nullopt);
    QWidget::mouseMoveEvent(event);
}

bool DonationWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text->viewport() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter))
        hoverOption(std::nullopt);
    return QWidget::eventFilter(watched, event);
}

} // namespace tarvelo
