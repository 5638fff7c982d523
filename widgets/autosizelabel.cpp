#include "autosizelabel.h"

#include "captionaccessible.h"
#include "captiontext.h"

#include <QEvent>
#include <QPainter>

AutoSizeLabel::AutoSizeLabel(QWidget *parent)
    : AutoSizeLabel(QString(), parent)
{
}

AutoSizeLabel::AutoSizeLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    CaptionAccessible::install();
    // Captions are plain text: a "<" in a term must not turn it into HTML.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setText(text);
}

void AutoSizeLabel::setText(const QString &text)
{
    QLabel::setText(text);
    fitToText();
}

void AutoSizeLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    rememberGivenSize();
    m_autoSize = on;
    if (on)
        fitToText();
    else if (m_givenSize.isValid())
        resize(m_givenSize); // a fit made before autoSize was turned off is undone
}

QSize AutoSizeLabel::sizeHint() const
{
    if (wordWrap())
        return { width(), captionExtent(fontMetrics(), text(), width()).height() };
    return captionExtent(fontMetrics(), text());
}

QSize AutoSizeLabel::minimumSizeHint() const
{
    return sizeHint();
}

void AutoSizeLabel::paintEvent(QPaintEvent *)
{
    // The background is already filled (autoFillBackground).
    QPainter p(this);
    drawFrame(&p);
    int flags = int(alignment()) | Qt::TextShowMnemonic;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), flags, text());
}

void AutoSizeLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void AutoSizeLabel::rememberGivenSize()
{
    if (size() != m_fittedSize)
        m_givenSize = size();
}

void AutoSizeLabel::fitToText()
{
    if (!m_autoSize)
        return;
    rememberGivenSize();
    m_fittedSize = sizeHint();
    resize(m_fittedSize);
}
