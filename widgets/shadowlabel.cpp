#include "shadowlabel.h"

#include "captionaccessible.h"
#include "captiontext.h"

#include <QEvent>
#include <QPainter>

ShadowLabel::ShadowLabel(QWidget *parent)
    : ShadowLabel(QString(), parent)
{
}

ShadowLabel::ShadowLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    CaptionAccessible::install();
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setText(text);
}

void ShadowLabel::setText(const QString &text)
{
    QLabel::setText(text);
    fitToText();
}

void ShadowLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    rememberGivenSize();
    m_autoSize = on;
    if (on)
        fitToText();
    else if (m_givenSize.isValid())
        resize(m_givenSize);
}

QSize ShadowLabel::sizeHint() const
{
    // One pixel on either side is kept free of text.
    if (wordWrap()) {
        const int textWidth = qMax(1, width() - 2);
        return { width(), captionExtent(fontMetrics(), text(), textWidth).height() };
    }
    return captionExtent(fontMetrics(), text()) + QSize(2, 0);
}

QSize ShadowLabel::minimumSizeHint() const
{
    return sizeHint();
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

void ShadowLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void ShadowLabel::rememberGivenSize()
{
    if (size() != m_fittedSize)
        m_givenSize = size();
}

void ShadowLabel::fitToText()
{
    if (!m_autoSize)
        return;
    rememberGivenSize();
    m_fittedSize = sizeHint();
    resize(m_fittedSize);
}
