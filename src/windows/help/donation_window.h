#pragma once

#include "help/donation.h"
#include "ui/background_hover.h"

#include <QWidget>
#include <array>
#include <functional>

class QPlainTextEdit;

namespace tarvelo {

namespace ui {
class OptionFrame;
}

// "Donation - Tarvelo": the one-time request with the options Donate and
// Ignore. Not modal; either option hides it, Donate then opens the page.
class DonationWindow : public QWidget
{
    Q_OBJECT

public:
    // `openDonationPage` runs after Donate has hidden the window.
    explicit DonationWindow(std::function<void()> openDonationPage, QWidget* parent = nullptr);

    // Shows the request centred over `activity` (or the screen), on screen.
    void showOver(const QWidget* activity);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void pressOption(DonationOption option);
    void hoverOption(std::optional<DonationOption> option);
    void refresh();

    DonationRequest m_request;
    std::function<void()> m_openDonationPage;
    QPlainTextEdit* m_text = nullptr;
    std::array<ui::OptionFrame*, 2> m_options{};
    ui::BackgroundHover m_backgroundHover{[this] { hoverOption(std::nullopt); }};
};

} // namespace tarvelo
