#include "autosizelabel.h"

#include "captiontext.h"

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
    : CaptionLabel(parent)
{
    setText(text);
}

QSize AutoSizeLabel::textExtent() const
{
    const QString caption = shownCaption(text());
    if (wordWrap())
        return { width(), captionExtent(fontMetrics(), caption, width()).height() };
    return captionExtent(fontMetrics(), caption);
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
