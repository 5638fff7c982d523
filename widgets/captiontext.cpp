#include "captiontext.h"

#include <QRect>

#include <limits>

QSize captionExtent(const QFontMetrics &metrics, const QString &caption, int wrapWidth)
{
    if (wrapWidth <= 0)
        return metrics.size(Qt::TextShowMnemonic, caption);
    const QRect area(0, 0, wrapWidth, std::numeric_limits<int>::max() / 2);
    return metrics.boundingRect(area, Qt::TextShowMnemonic | Qt::TextWordWrap, caption).size();
}

QString captionPlainText(const QString &caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            ++i;
            if (i == caption.size())
                break;
        }
        plain.append(caption.at(i));
    }
    return plain;
}
