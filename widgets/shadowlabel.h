#pragma once

#include <QLabel>

// An opaque label that draws its caption twice: a shadow in the palette's
// Light colour one pixel up and left of the caption in WindowText. While
// autoSize is on it is as high as its text and 2 px wider; with wordWrap it
// keeps its width and wraps.
class ShadowLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit ShadowLabel(QWidget *parent = nullptr);
    explicit ShadowLabel(const QString &text, QWidget *parent = nullptr);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Hides QLabel::setText so that the size follows the caption.
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitToText();
    void rememberGivenSize();

    bool m_autoSize = true;
    QSize m_fittedSize; // the size the last fit gave
    QSize m_givenSize; // the size last set from outside, used once autoSize is off
};
