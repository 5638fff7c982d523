#include "autosizelabel.h"

#include "captionaccessible.h"
#include "captiontext.h"

#include <QEvent>
#include <QPainter>

namespace {

// A caption may be a term of megabytes after a paste into the table, yet no
// screen shows more than a few thousand of its characters: only so many are
// measured and drawn, so that such a caption costs no more than a long one.
constexpr qsizetype MaxShownChars = 8192;

QString shownCaption(const QString &caption)
{
    if (caption.size() <= MaxShownChars)
        return caption;
    qsizetype n = MaxShownChars;
    if (caption.at(n - 1).isHighSurrogate())
        --n;
    return caption.left(n);
}

} // namespace

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
    const QString caption = shownCaption(text());
    if (wordWrap())
        return { width(), captionExtent(fontMetrics(), caption, width()).height() };
    return captionExtent(fontMetrics(), caption);
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
    p.drawText(contentsRect(), flags, shownCaption(text()));
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
