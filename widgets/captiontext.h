#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QString>

// Captions treat "&x" as x underlined and "&&" as one ampersand. These
// helpers measure and read captions by that rule.

// The size the caption takes when drawn with Qt::TextShowMnemonic; with a
// wrapWidth > 0 the caption wraps at words within that width.
QSize captionExtent(const QFontMetrics &metrics, const QString &caption, int wrapWidth = 0);

// The caption as read aloud: single ampersands dropped, "&&" made one "&".
QString captionPlainText(const QString &caption);
