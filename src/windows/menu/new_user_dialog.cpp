#include "windows/menu/new_user_dialog.h"

#include "platform/dialogs.h"
#include "profile/code_page.h"
#include "ui/labels.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <string_view>

namespace tarvelo {
namespace {

struct Replacement
{
    char32_t letter;
    std::string_view latin;
};

// Letters whose canonical decomposition has no plain base letter.
constexpr Replacement kUndecomposed[] = {
    {U'ł', "l"}, {U'Ł', "L"}, {U'đ', "d"},  {U'Đ', "D"},  {U'ħ', "h"}, {U'Ħ', "H"},
    {U'ı', "i"}, {U'ŀ', "l"}, {U'Ŀ', "L"},  {U'ŧ', "t"},  {U'Ŧ', "T"}, {U'ƀ', "b"},
    {U'ɨ', "i"}, {U'ʉ', "u"}, {U'ĳ', "ij"}, {U'Ĳ', "IJ"},
};

std::optional<std::string> Undecomposed(char32_t c)
{
    for (const Replacement& r : kUndecomposed) {
        if (r.letter == c)
            return std::string(r.latin);
    }
    return std::nullopt;
}

// A letter with accents the code page lacks as its letters without them;
// nullopt when it is no letter or its base is not in the code page either.
std::optional<std::string> BaseLetters(char32_t c)
{
    if (!QChar::isLetter(c))
        return std::nullopt;
    if (auto replacement = Undecomposed(c))
        return replacement;
    std::string base;
    for (const char32_t part :
         QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D).toUcs4()) {
        if (QChar::isMark(part))
            continue;
        if (!QChar::isLetter(part) || !codepage::Fits(part))
            return std::nullopt;
        base += static_cast<char>(codepage::FromUnicode(part));
    }
    if (base.empty())
        return std::nullopt;
    return base;
}

} // namespace

QString NameAsStored(const QString& entered)
{
    QString shown;
    for (const char32_t c : entered.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (c != 0 && codepage::Fits(c)) {
            shown += QString::fromUcs4(&c, 1);
        } else if (QChar::isMark(c)) {
            continue;
        } else if (auto base = BaseLetters(c)) {
            shown += ui::ToQString(*base);
        } else {
            shown += QString::fromUcs4(&c, 1);
        }
    }
    return shown;
}

std::optional<std::string> NameInCodePage(const QString& entered)
{
    std::string name;
    // Composed first, so that a letter typed with a separate accent that the
    // code page has ("e" + U+0301) becomes its one character.
    for (const char32_t c : entered.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (c != 0 && codepage::Fits(c)) {
            name += static_cast<char>(codepage::FromUnicode(c));
        } else if (QChar::isMark(c)) {
            continue;
        } else if (auto base = BaseLetters(c)) {
            name += *base;
        } else {
            return std::nullopt;
        }
    }
    return name;
}

NewUserDialog::NewUserDialog(const std::string& appFolder, Dialogs& dialogs, QWidget* parent)
    : ui::ModalPictureWindow(appFolder, parent), m_dialogs(dialogs), m_edit(new QLineEdit)
{
    setObjectName("NewUser");
    setWindowTitle(ui::ToQString(kTitle));

    auto* prompt = ui::MakeLabel(ui::ToQString(kPrompt), "lPrompt", {.bold = true});
    m_edit->setObjectName("tName");
    setFocusProxy(m_edit);
    // The box always shows the name as it will be stored: a letter that loses
    // its accents changes as it is typed or pasted.
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString shown = NameAsStored(text);
        if (shown == text)
            return;
        const auto cursor = NameAsStored(text.left(m_edit->cursorPosition())).size();
        m_edit->setText(shown);
        m_edit->setCursorPosition(static_cast<int>(cursor));
    });
    prompt->setBuddy(m_edit);

    auto* ok = new QPushButton("&OK");
    ok->setObjectName("bOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel");
    cancel->setObjectName("bCancel");
    cancel->setAutoDefault(true); // Enter presses it while it has the focus
    connect(ok, &QPushButton::clicked, this, &NewUserDialog::acceptName);
    connect(cancel, &QPushButton::clicked, this, &NewUserDialog::done);
    // Enter in the box is OK, Escape anywhere is Cancel.
    connect(m_edit, &QLineEdit::returnPressed, this, &NewUserDialog::acceptName);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &NewUserDialog::done);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(18, 16, 18, 14);
    content->addWidget(prompt);
    content->addWidget(m_edit);
    content->addStretch();
    content->addLayout(buttons);

    ui::ResizeWithin(*this, QSize(360, 150));
}

std::optional<std::string> NewUserDialog::AskName(std::string_view currentName)
{
    m_edit->setText(ui::ToQString(currentName));
    // Home, then Shift+End: typing replaces the name.
    m_edit->home(false);
    m_edit->end(true);
    m_name.reset();
    ui::CentreOver(*this, parentWidget());
    if (!exec())
        return std::nullopt;
    return m_name;
}

void NewUserDialog::acceptName()
{
    auto name = NameInCodePage(m_edit->text());
    if (!name) {
        m_dialogs.ShowMessage(kRefusal, kTitle, MessageIcon::Exclamation);
        m_edit->setFocus();
        return;
    }
    m_name = std::move(name);
    done();
}

} // namespace tarvelo
