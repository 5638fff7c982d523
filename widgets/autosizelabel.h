#pragma once

#include "captionlabel.h"

// An opaque label in the page colour that, while autoSize is on, takes
// exactly the size of its caption whenever the caption or the font changes.
// "&x" shows x underlined and "&&" one ampersand. With wordWrap it wraps at
// its width (and, while autoSize is on, only its height follows the text).
class AutoSizeLabel : public CaptionLabel {
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit AutoSizeLabel(QWidget *parent = nullptr);
    explicit AutoSizeLabel(const QString &text, QWidget *parent = nullptr);

    using CaptionLabel::autoSize;
    using CaptionLabel::setAutoSize;

protected:
    QSize textExtent() const override;
    void paintEvent(QPaintEvent *event) override;
};
