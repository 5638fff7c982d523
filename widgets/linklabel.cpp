#include "linklabel.h"

#include "captiontext.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {
const QColor linkBlue(0x00, 0x00, 0xff);
}

LinkLabel::LinkLabel(QWidget *parent)
    : LinkLabel(QString(), parent)
{
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent)
    : CaptionLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setText(text);
}

void LinkLabel::setHref(const QString &href)
{
    if (href == m_href)
        return;
    m_href = href;
    QAccessibleValueChangeEvent event(this, href);
    QAccessible::updateAccessibility(&event);
}

void LinkLabel::setUnderline(bool on)
{
    if (on == m_underline)
        return;
    m_underline = on;
    update();
}

void LinkLabel::openLink()
{
    // Each press hands the link over again; a failure is not shown.
    QDesktopServices::openUrl(QUrl(m_href));
}

QSize LinkLabel::textExtent() const
{
    return captionExtent(QFontMetrics(linkFont(), this), text());
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawFrame(&p);
    p.setFont(linkFont());
    // Pure blue always: no hover, visited or disabled colours.
    p.setPen(linkBlue);
    p.drawText(contentsRect(), int(alignment()) | Qt::TextShowMnemonic, text());
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    // The press is kept (the label holds the mouse until release) whatever
    // the button; only the left one opens the link.
    event->accept();
    if (event->button() == Qt::LeftButton)
        openLink();
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

QFont LinkLabel::linkFont() const
{
    QFont f = font();
    f.setUnderline(m_underline);
    return f;
}
