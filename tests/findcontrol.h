#pragma once

#include <QWidget>

// The window's control with that object name. A missing control ends the test
// program: every test of the window depends on its controls being there.
template <typename T = QWidget> T *findControl(const QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}
