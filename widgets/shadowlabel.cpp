#include "shadowlabel.h"

#include "captiontext.h"

#include <QPainter>

ShadowLabel::ShadowLabel(QWidget *parent)
    : ShadowLabel(QString(), parent)
{
}

ShadowLabel::ShadowLabel(const QString &text, QWidget *parent)
    : CaptionLabel(parent)
{
    setText(text);
}

QSize ShadowLabel::textExtent() const
{
    // One pixel on either side is kept free of text.
    if (wordWrap()) {
        const int textWidth = qMax(1, width() - 2);
        return { width(), captionExtent(fontMetrics(), text(), textWidth).height() };
    }
    return captionExtent(fontMetrics(), text()) + QSize(2, 0);
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    const int textWidth = width() - 2;
    if (textWidth <= 0)
        return;
    QPainter p(this);
    int flags = int(alignment()) | Qt::TextShowMnemonic;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    p.setClipRect(1, 0, textWidth, height());
    // The light copy sits one pixel up and left, so its top row falls off
    // the label; the caption itself is drawn over it.
    p.setPen(palette().color(QPalette::Light));
    p.drawText(QRect(0, -1, textWidth, height()), flags, text());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(1, 0, textWidth, height()), flags, text());
}
