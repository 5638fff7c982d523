#pragma once

#include "captionlabel.h"

// An opaque label that draws its caption twice: a shadow in the palette's
// Light colour one pixel up and left of the caption in WindowText. While
// autoSize is on it is as high as its text and 2 px wider; with wordWrap it
// keeps its width and wraps.
class ShadowLabel : public CaptionLabel {
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit ShadowLabel(QWidget *parent = nullptr);
    explicit ShadowLabel(const QString &text, QWidget *parent = nullptr);

    using CaptionLabel::autoSize;
    using CaptionLabel::setAutoSize;

protected:
    QSize textExtent() const override;
    void paintEvent(QPaintEvent *event) override;
};
