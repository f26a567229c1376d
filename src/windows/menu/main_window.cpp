#include "windows/menu/main_window.h"

#include "drill/drill_sources.h"
#include "drill/keystroke_figures.h"
#include "menu/main_menu.h"
#include "profile/app_folder.h"
#include "state/program_state.h"
#include "ui/clickable_label.h"
#include "ui/focus_box.h"
#include "ui/labels.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/option_row.h"
#include "ui/qt_dialogs.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"
#include "windows/game/game_window.h"
#include "windows/menu/new_user_dialog.h"
#include "windows/session/session_window.h"
#include "windows/stats/statistics_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tarvelo {
namespace {

ui::ClickableLabel* MakeLabel(const QString& text, const char* name, ui::LabelFont font)
{
    auto* label = ui::MakeLabel<ui::ClickableLabel>(text, name, font);
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
    ui::PlaceWindow(*this, *m_state, QSize(640, 480));
    m_focusBox->setFocus();
}

MainWindow::~MainWindow()
{
    // The activity window works on the state this window owns.
    delete m_activity.data();
}

void MainWindow::buildControls()
{
    setMouseTracking(true);
    m_focusBox = new ui::FocusBox(this);
    connect(m_focusBox, &ui::FocusBox::keyDown, this,
            [this](int key, Qt::KeyboardModifiers) { keyDown(key); });

    auto* title = MakeLabel("Tarvelo", "lTitle", {.pointSize = 28, .bold = true});
    auto* title2 = MakeLabel("Typing Tutor", "lTitle2", {.pointSize = 14, .bold = true});
    auto* navigate =
        MakeLabel(ui::ToQString(MainMenu::kNavigateLabel), "lNavigate", {.bold = true});
    m_info = MakeLabel(QString(), "lInfo", {});
    m_info->setWordWrap(true);
    m_info->setMinimumHeight(2 * m_info->fontMetrics().lineSpacing());
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* label : std::initializer_list<QLabel*>{title, title2, navigate, m_info})
        m_backgroundHover.watch(label);
    for (ui::ClickableLabel* label : {title, title2})
        connect(label, &ui::ClickableLabel::pressed, this, [this] { act(m_menu->PressTitle()); });

    // Box i and row i share a line; the Quit box is the ninth line. Every
    // line takes an equal share of the height the window gives.
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(24);
    columns->setVerticalSpacing(8);
    ui::AddOptionRow(*columns, 0, m_boxes, *this,
                     {.name = "lUser",
                      .pressed =
                          [this](int box) {
                              recordPosition();
                              act(m_menu->PressBox(box));
                          },
                      .hovered =
                          [this](int box) {
                              m_menu->HoverBox(box);
                              refresh();
                          }});
    for (int box = 0; box < MainMenu::kBoxCount; ++box) {
        m_boxes[box]->setListItem(true);
        m_boxes[box]->setAccessibleName("Empty user");
        columns->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), box,
                         2);
        columns->setRowStretch(box, 1);
    }
    ui::AddOptionRow(*columns, 1, m_rows, *this,
                     {.name = "lRow2",
                      .caption = ui::CaptionsOf(&MainMenu::RowCaption),
                      .pressed =
                          [this](int row) {
                              recordPosition();
                              act(m_menu->PressRow(static_cast<MenuRow>(row)));
                          },
                      .hovered =
                          [this](int row) {
                              m_menu->HoverRow(static_cast<MenuRow>(row));
                              refresh();
                          }});
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

void MainWindow::recordPosition()
{
    // Not moved by the user (or not known): the twips stay exact.
    const WindowPlacement placement = ui::PlacementOf(*this);
    m_state->WindowLeft = placement.leftTwips;
    m_state->WindowTop = placement.topTwips;
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
        openActivity([this] {
            return m_services.sessionWindow ? m_services.sessionWindow(*m_state)
                                            : new SessionWindow(*m_state);
        });
        break;
    case MenuAction::OpenWebSite:
        if (m_services.openWebSite)
            m_services.openWebSite();
        else
            QDesktopServices::openUrl(
                QUrl(QString::fromLatin1(kWebSiteAddress.data(), kWebSiteAddress.size())));
        break;
    case MenuAction::ShowStats:
        openActivity([this] { return makeStatisticsWindow(); });
        break;
    case MenuAction::OpenHelp:
        if (m_services.openHelpPage)
            m_services.openHelpPage();
        break;
    case MenuAction::EditText:
        if (m_services.editorWindow)
            openActivity([this] { return m_services.editorWindow(*m_state); });
        break;
    case MenuAction::StartGame:
        m_menu->RecordGameStart();
        openActivity([this] {
            return m_gameWindow ? m_gameWindow(*m_state, m_lastGameResult)
                                : new GameWindow(*m_state, m_lastGameResult);
        });
        break;
    case MenuAction::None:
        break;
    }
}

void MainWindow::openActivity(const std::function<ui::ActivityWindow*()>& make)
{
    // Hidden first: the window's load may show a message (the first use).
    hide();
    ui::ActivityWindow* window = make();
    m_activity = window;
    connect(window, &ui::ActivityWindow::leftToMenu, this, [this, window] {
        window->deleteLater();
        returnToMenu();
    });
    window->open();
    // The activity start asked for the donation check; it runs over the
    // window, now up.
    if (std::exchange(m_donationDue, false))
        m_services.donationCheck(*m_state, window);
}

ui::ActivityWindow* MainWindow::makeStatisticsWindow()
{
    StatisticsServices services;
    services.speedReport = [](ProgramState& state) {
        const DrillSources sources = ReadDrillSources(state);
        return MakeSpeedReport(sources.logs, sources.practiceFile, sources.target);
    };
    return new StatisticsWindow(*m_state, std::move(services));
}

void MainWindow::returnToMenu()
{
    ui::PlaceWindow(*this, *m_state);
    applyLook();
    show();
    raise();
    activateWindow();
    m_focusBox->setFocus();
}

void MainWindow::hoverBackground()
{
    if (m_menu->HoveredBox() || m_menu->HoveredRow()) {
        m_menu->HoverBackground();
        refresh();
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    ui::PictureWindow::mouseMoveEvent(event);
    hoverBackground();
}

void MainWindow::leaveEvent(QEvent* event)
{
    ui::PictureWindow::leaveEvent(event);
    m_menu->HoverBackground();
    refresh();
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
