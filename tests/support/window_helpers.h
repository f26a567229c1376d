#pragma once

#include "support/temp_folder.h"

#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace tarvelo::test {

// The named child, or a stopped run when the window lacks it.
template <typename T> T* Child(const QWidget& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
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
