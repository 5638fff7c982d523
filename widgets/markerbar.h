#pragma once

#include <QColor>
#include <QWidget>

// A small coloured bar with a black 1 px outline whose corners are cut by a
// 2x2 px ellipse. It lies over the picture and takes the mouse on its own
// pixels, so presses and moves there reach nothing beneath it.
class MarkerBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit MarkerBar(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QColor m_color = Qt::white;
};
