#pragma once

#include <QObject>

class QWidget;

// Watches a window until it has painted its first frame, then writes one line
// to standard output and ends the process at once:
//   <monotonic clock at the end of the frame, ns> <VmHWM, KiB> <width> <height>
// The start-up benchmark launches programs that carry this probe and reads
// the line; CLOCK_MONOTONIC is the same clock in every process.
class FirstPaintProbe : public QObject {
    Q_OBJECT

public:
    explicit FirstPaintProbe(QWidget *window);

    // The process's peak resident set so far (VmHWM), in KiB; 0 where
    // /proc/self/status cannot be read.
    static long peakResidentKiB();
    static qint64 monotonicNs();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    QWidget *window;
    bool painted = false;
};
