#include "windows/game/game_rules_window.h"

#include "ui/focus_box.h"
#include "ui/labels.h"
#include "ui/window_placement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvelo {
namespace {

constexpr const char* kRules[] = {
    "All letters are LOWERCASE unless you change that in Modify Keys.",
    "Points are added by typing correct letters.",
    "Points are added at the end of a level according to accuracy.",
    "Formula: y = x^2/(32 - z) + x   (y = Points, x = Level, z = LetterHits)",
    "Points are lost by typing incorrect letters.",
    "Points are not lost by letters hitting the bottom.",
    "Game ends when a letter piles over the line.",
    "Intelligence is based on a particular factor. It should become obvious.",
};

} // namespace

GameRulesWindow::GameRulesWindow(const std::string& appFolder, QWidget* parent)
    : ui::ModalPictureWindow(appFolder, parent)
{
    setObjectName("helpgame");
    setWindowTitle("Game Help");
    buildControls();
    ui::ResizeWithin(*this, sizeHint().expandedTo(QSize(560, 360)));
    m_focusBox->setFocus();
}

void GameRulesWindow::buildControls()
{
    m_focusBox = makeClosingFocusBox();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(
        ui::MakeLabel("Dalmor's Typing Game Rules", "lHeading", {.pointSize = 16, .bold = true}));
    layout->addSpacing(10);

    QStringList lines;
    for (const char* line : kRules)
        lines << QString::fromLatin1(line);
    auto* text = ui::MakeLabel(lines.join('\n'), "lRules");
    setAccessibleDescription(text->text()); // read with the title as it opens
    text->setStyleSheet("background: rgba(255, 255, 255, 200); padding: 8px;");
    layout->addWidget(text);
    layout->addStretch(1);

    auto* button = new QPushButton("&Continue");
    button->setObjectName("bContinue");
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, &GameRulesWindow::done);
    layout->addWidget(button, 0, Qt::AlignRight);
}

} // namespace tarvelo
