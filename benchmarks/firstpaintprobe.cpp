#include "firstpaintprobe.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

FirstPaintProbe::FirstPaintProbe(QWidget *window)
    : QObject(nullptr)
    , window(window)
{
    // The first paint event may go to any widget of the window, the window
    // itself included, so the whole application is watched.
    qApp->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!painted && event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == window) {
        painted = true;
        qApp->removeEventFilter(this);
        // Painting a frame runs to its end (every dirty widget, then the
        // flush of the backing store) before posted calls are handled: the
        // queued call marks the end of the first whole frame.
        QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
    }
    return false;
}

void FirstPaintProbe::report()
{
    const qint64 now = monotonicNs();
    std::printf("%lld %ld %d %d\n", static_cast<long long>(now), peakResidentKiB(), window->width(),
        window->height());
    std::fflush(stdout);
    // Tearing down is not part of starting up.
    std::_Exit(0);
}

long FirstPaintProbe::peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

qint64 FirstPaintProbe::monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
