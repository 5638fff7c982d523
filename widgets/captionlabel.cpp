#include "captionlabel.h"

#include "captionaccessible.h"

#include <QEvent>

CaptionLabel::CaptionLabel(QWidget *parent)
    : QLabel(parent)
{
    CaptionAccessible::install();
    // Captions are plain text: a "<" in a term must not turn it into HTML.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

void CaptionLabel::setText(const QString &text)
{
    QLabel::setText(text);
    fitToText();
}

void CaptionLabel::setAutoSize(bool on)
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

QSize CaptionLabel::sizeHint() const
{
    return textExtent();
}

QSize CaptionLabel::minimumSizeHint() const
{
    return sizeHint();
}

void CaptionLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void CaptionLabel::rememberGivenSize()
{
    if (size() != m_fittedSize)
        m_givenSize = size();
}

void CaptionLabel::fitToText()
{
    if (!m_autoSize)
        return;
    rememberGivenSize();
    m_fittedSize = sizeHint();
    resize(m_fittedSize);
}
