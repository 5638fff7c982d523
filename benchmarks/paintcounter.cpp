#include "paintcounter.h"

#include <QEvent>
#include <QWidget>

PaintCounter::PaintCounter(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        ++paints;
    return false;
}
