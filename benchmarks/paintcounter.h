#pragma once

#include <QObject>

class QWidget;

// Counts the paint events of one widget: the benchmarks check with it that
// what they time really includes the repaint.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget);

    int count() const { return paints; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int paints = 0;
};
