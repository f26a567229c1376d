#pragma once

#include "support/temp_folder.h"
#include "ui/option_frame.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <memory>

namespace tarvelo::test {

// The named child, or a stopped run when the window lacks it.
template <typename T> T* Child(const QWidget& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

// The option frame `prefix` + `index`, such as "sOption2".
inline ui::OptionFrame* Frame(const QWidget& window, const char* prefix, int index)
{
    return Child<ui::OptionFrame>(window, QString("%1%2").arg(prefix).arg(index));
}

// Where the user's keys go: the window's focus box.
inline QWidget* Keys(const QWidget& window)
{
    return Child<QWidget>(window, "ControlBox");
}

// A key pressed where the focus is, as typed keys go.
inline void PressAtFocus(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

inline void Tick(QTimer* timer, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(timer, "timeout");
}

// The shipped settings, texts and lessons, as an installation has them.
inline void CopyShippedData(const TempFolder& folder)
{
    for (const char* name : {"Tarvelo.INI", "Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                             "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"})
        folder.CopyShipped(name);
}

} // namespace tarvelo::test
