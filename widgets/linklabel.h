#pragma once

#include "captionlabel.h"

// A label that hands its link target to the system each time the left
// button is pressed on it. Its text is always pure blue; it has a hand
// cursor and sizes itself to its text.
class LinkLabel : public CaptionLabel {
    Q_OBJECT
    Q_PROPERTY(QString href READ href WRITE setHref)
    Q_PROPERTY(bool underline READ underline WRITE setUnderline)

public:
    explicit LinkLabel(QWidget *parent = nullptr);
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    QString href() const { return m_href; }
    void setHref(const QString &href);

    bool underline() const { return m_underline; }
    void setUnderline(bool on);

public slots:
    // Hands href to the system; what happens then is the system's business.
    void openLink();

protected:
    QSize textExtent() const override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QFont linkFont() const;

    QString m_href;
    bool m_underline = true;
};
