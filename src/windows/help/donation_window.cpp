#include "windows/help/donation_window.h"

#include "ui/labels.h"
#include "ui/option_frame.h"
#include "ui/option_row.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
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

    auto* heading = ui::MakeLabel(ui::ToQString(DonationRequest::kHeading), "lHeading",
                                  {.scale = 1.5, .bold = true});

    // Read-only and never focused: the text cannot be edited or even selected.
    m_text = new QPlainTextEdit;
    m_text->setObjectName("txtRequest");
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    m_text->setPlainText(ui::ToQString(DonationRequest::Text()).replace("\r\n", "\n"));
    setAccessibleDescription(m_text->toPlainText()); // read with the title as it opens
    m_backgroundHover.watch(m_text->viewport());

    auto* options = new QHBoxLayout;
    options->addStretch();
    ui::AddOptionRow(*options, m_options, *this,
                     {.caption = ui::CaptionsOf(&DonationRequest::OptionCaption),
                      .pressed = [this](int i) { pressOption(static_cast<DonationOption>(i)); },
                      .hovered = [this](int i) { hoverOption(static_cast<DonationOption>(i)); },
                      .minimumWidth = 100,
                      .tabStops = true});
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

void DonationWindow::showOver(const QWidget* activity)
{
    ui::CentreOver(*this, activity);
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
    if (m_request.HoverOption(option))
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

} // namespace tarvelo
