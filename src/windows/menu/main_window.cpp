#include "windows/menu/main_window.h"

#include "drill/drill_sources.h"
#include "drill/keystroke_figures.h"
#include "menu/main_menu.h"
#include "profile/app_folder.h"
#include "state/program_state.h"
#include "ui/clickable_label.h"
#include "ui/focus_box.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/qt_dialogs.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/twips.h"
#include "ui/window_placement.h"
#include "windows/game/game_window.h"
#include "windows/menu/new_user_dialog.h"
#include "windows/session/session_window.h"
#include "windows/stats/statistics_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tarvelo {
namespace {

QLabel* MakeLabel(const QString& text, const char* name, int pointSize, bool bold)
{
    auto* label = new ui::ClickableLabel(text);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

} // namespace

MainWindow::MainWindow(const std::string& appFolder, MenuServices services, QWidget* parent)
    : ui::PictureWindow(appFolder, parent), m_state(std::make_unique<ProgramState>(appFolder)),
      m_services(std::move(services))
{
    setObjectName("Intro");
    setWindowTitle("Tarvelo - Select your Options");

    Dialogs* dialogs = m_services.dialogs;
    if (!dialogs) {
        m_ownDialogs = std::make_unique<ui::QtDialogs>(this);
        dialogs = m_ownDialogs.get();
    }
    m_nameDialog = m_services.nameDialog;
    if (!m_nameDialog)
        m_nameDialog = new NewUserDialog(appFolder, *dialogs, this);
    m_state->highContrastAlways = m_services.highContrastAlways;
    m_menu = std::make_unique<MainMenu>(*m_state, *dialogs, *m_nameDialog);
    // The start is recorded before the activity's window opens, and the
    // window's load may show a message first (the first use, the game's
    // rules): the check waits until the window is up.
    if (m_services.donationCheck)
        m_menu->Profiles().SetDonationCheck([this] { m_donationDue = true; });

    buildControls();
    m_menu->Start();
    applyLook();
    ui::ResizeWithin(*this, QSize(640, 480));
    placeAtSharedPosition();
    m_focusBox->setFocus();
}

MainWindow::~MainWindow()
{
    // The activity window works on the state this window owns.
    delete m_activity.data();
    delete m_tool.data();
    delete m_game.data();
}

void MainWindow::buildControls()
{
    setMouseTracking(true);
    m_focusBox = new ui::FocusBox(this);
    connect(m_focusBox, &ui::FocusBox::keyDown, this,
            [this](int key, Qt::KeyboardModifiers) { keyDown(key); });

    auto* title = MakeLabel("Tarvelo", "lTitle", 28, true);
    auto* title2 = MakeLabel("Typing Tutor", "lTitle2", 14, true);
    auto* navigate = MakeLabel(ui::ToQString(MainMenu::kNavigateLabel), "lNavigate", 0, true);
    m_info = MakeLabel(QString(), "lInfo", 0, false);
    m_info->setWordWrap(true);
    m_info->setMinimumHeight(2 * m_info->fontMetrics().lineSpacing());
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* label : {title, title2, navigate, m_info})
        label->installEventFilter(this);
    for (QLabel* label : {title, title2}) {
        connect(static_cast<ui::ClickableLabel*>(label), &ui::ClickableLabel::pressed, this,
                [this] { act(m_menu->PressTitle()); });
    }

    // Box i and row i share a line; the Quit box is the ninth line. Every
    // line takes an equal share of the height the window gives.
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(24);
    columns->setVerticalSpacing(8);
    for (int box = 0; box < MainMenu::kBoxCount; ++box) {
        auto* frame = new ui::OptionFrame(QString());
        frame->setObjectName(QString("lUser%1").arg(box));
        frame->setListItem(true);
        frame->setAccessibleName("Empty user");
        columns->addWidget(frame, box, 0);
        columns->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), box,
                         2);
        columns->setRowStretch(box, 1);
        connect(frame, &ui::OptionFrame::pressed, this, [this, box] {
            recordPosition();
            act(m_menu->PressBox(box));
        });
        connect(frame, &ui::OptionFrame::hovered, this, [this, box] {
            m_menu->HoverBox(box);
            refresh();
        });
        m_boxes[box] = frame;
    }
    for (int line = 0; line < MainMenu::kRowCount; ++line) {
        const auto row = static_cast<MenuRow>(line);
        auto* frame = new ui::OptionFrame(ui::ToQString(MainMenu::RowCaption(row)));
        frame->setObjectName(QString("lRow2%1").arg(line));
        columns->addWidget(frame, line, 1);
        connect(frame, &ui::OptionFrame::pressed, this, [this, row] {
            recordPosition();
            act(m_menu->PressRow(row));
        });
        connect(frame, &ui::OptionFrame::hovered, this, [this, row] {
            m_menu->HoverRow(row);
            refresh();
        });
        m_rows[line] = frame;
    }
    columns->setColumnStretch(0, 1);
    columns->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 18);
    layout->addWidget(title);
    layout->addWidget(title2);
    layout->addSpacing(12);
    layout->addStretch(1);
    layout->addLayout(columns, 6);
    layout->addStretch(1);
    layout->addSpacing(8);
    // The look is the selected user's; its mnemonic works while the focus
    // box keeps the keys.
    m_highContrast = new QCheckBox("High &contrast", this);
    m_highContrast->setObjectName("chkHighContrast");
    m_highContrast->setFocusPolicy(Qt::NoFocus);
    connect(m_highContrast, &QCheckBox::clicked, this, [this] {
        m_menu->ToggleHighContrast();
        applyLook();
    });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(navigate, 1);
    bottom->addWidget(m_highContrast);
    layout->addLayout(bottom);
    layout->addWidget(m_info);
}

void MainWindow::applyLook()
{
    ui::SetHighContrast(m_menu->HighContrast());
    m_highContrast->setChecked(ui::HighContrast());
    m_highContrast->setEnabled(m_menu->CanChooseHighContrast());
    refresh();
    update();
}

void MainWindow::refresh()
{
    for (int box = 0; box < MainMenu::kBoxCount; ++box) {
        m_boxes[box]->setCaption(ui::ToQString(m_menu->BoxCaption(box)));
        m_boxes[box]->setFill(m_menu->BoxFill(box));
        m_boxes[box]->setBorder(m_menu->BoxBorder(box));
    }
    for (int line = 0; line < MainMenu::kRowCount; ++line) {
        m_rows[line]->setFill(m_menu->RowFill(static_cast<MenuRow>(line)));
        m_rows[line]->setBorder(m_menu->RowBorder(static_cast<MenuRow>(line)));
    }
    m_focusBox->setStandIn(m_menu->MenuFocus() == MenuColumn::Users
                               ? m_boxes[m_menu->SelectedBox()]
                               : m_rows[static_cast<std::size_t>(m_menu->FocusedRow())]);
    const QString hint = ui::ToQString(m_menu->Hint());
    if (m_info->text() != hint)
        m_info->setText(hint);
}

void MainWindow::placeAtSharedPosition()
{
    const QPoint stored = ui::TwipsToPixels(m_state->WindowLeft, m_state->WindowTop, this);
    const QPoint visible = ui::PlaceAtTwips(this, m_state->WindowLeft, m_state->WindowTop);
    if (visible != stored)
        recordPosition(); // the other windows open where this one is seen
}

void MainWindow::recordPosition()
{
    if (!ui::CanPlaceWindows() ||
        pos() == ui::TwipsToPixels(m_state->WindowLeft, m_state->WindowTop, this))
        return; // not moved (or not known): keep the twips exact
    const QPoint twips = ui::PixelsToTwips(pos(), this);
    m_state->WindowLeft = twips.x();
    m_state->WindowTop = twips.y();
}

void MainWindow::keyDown(int key)
{
    recordPosition();
    act(m_menu->KeyDown(ui::ToNavigationKey(key)));
}

void MainWindow::act(MenuAction action)
{
    applyLook();
    switch (action) {
    case MenuAction::EndProgram:
        m_ending = true;
        emit quitRequested();
        close();
        break;
    case MenuAction::StartTypingSession:
        openSessionWindow();
        break;
    case MenuAction::OpenWebSite:
        if (m_services.openWebSite)
            m_services.openWebSite();
        else
            QDesktopServices::openUrl(
                QUrl(QString::fromLatin1(kWebSiteAddress.data(), kWebSiteAddress.size())));
        break;
    case MenuAction::ShowStats:
        openStatisticsWindow();
        break;
    case MenuAction::OpenHelp:
        if (m_services.openHelpPage)
            m_services.openHelpPage();
        break;
    case MenuAction::EditText:
        openEditorWindow();
        break;
    case MenuAction::StartGame:
        openGameWindow();
        break;
    case MenuAction::None:
        break;
    }
}

void MainWindow::openSessionWindow()
{
    // Hidden first: the session window's load may show the first-use message.
    hide();
    SessionWindow* window =
        m_services.sessionWindow ? m_services.sessionWindow(*m_state) : new SessionWindow(*m_state);
    m_activity = window;
    connect(window, &SessionWindow::leftToMenu, this, [this, window] {
        window->deleteLater();
        returnToMenu();
    });
    window->show();
    checkDonation(window);
}

void MainWindow::openStatisticsWindow()
{
    StatisticsServices services;
    services.speedReport = [](ProgramState& state) {
        const DrillSources sources = ReadDrillSources(state);
        return MakeSpeedReport(sources.logs, sources.practiceFile, sources.target);
    };
    auto* window = new StatisticsWindow(*m_state, std::move(services));
    m_tool = window;
    connect(window, &StatisticsWindow::leftToMenu, this, [this, window] {
        window->deleteLater();
        returnToMenu();
    });
    hide();
    window->show();
}

void MainWindow::openEditorWindow()
{
    if (!m_services.editorWindow)
        return;
    m_tool = m_services.editorWindow(*m_state, [this] {
        if (m_tool)
            m_tool->deleteLater();
        returnToMenu();
    });
    if (!m_tool)
        return;
    hide();
    m_tool->show();
}

void MainWindow::openGameWindow()
{
    m_menu->RecordGameStart();
    GameWindow* window = m_gameWindow ? m_gameWindow(*m_state, m_lastGameResult)
                                      : new GameWindow(*m_state, m_lastGameResult);
    m_game = window;
    connect(window, &GameWindow::leftToMenu, this, [this, window] {
        window->deleteLater();
        returnToMenu();
    });
    hide();
    window->open();
    checkDonation(window);
}

void MainWindow::checkDonation(QWidget* activity)
{
    if (std::exchange(m_donationDue, false))
        m_services.donationCheck(*m_state, activity);
}

void MainWindow::returnToMenu()
{
    placeAtSharedPosition();
    applyLook();
    show();
    raise();
    activateWindow();
    m_focusBox->setFocus();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::PictureWindow::mouseMoveEvent(event);
    if (m_menu->HoveredBox() || m_menu->HoveredRow()) {
        m_menu->HoverBackground();
        refresh();
    }
}

void MainWindow::leaveEvent(QEvent* event)
{
    ui::PictureWindow::leaveEvent(event);
    m_menu->HoverBackground();
    refresh();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        m_menu->HoverBackground();
        refresh();
    }
    return ui::PictureWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_ending) {
        // The close box ends the program as Escape does.
        recordPosition();
        m_menu->SaveWindowPosition();
        m_ending = true;
        emit quitRequested();
    }
    event->accept();
}

} // namespace tarvelo
