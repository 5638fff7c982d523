#pragma once

#include <QLabel>

// An opaque label in the page colour that, while autoSize is on, takes
// exactly the size of its caption whenever the caption or the font changes.
// "&x" shows x underlined and "&&" one ampersand. With wordWrap it wraps at
// its width (and, while autoSize is on, only its height follows the text).
class AutoSizeLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit AutoSizeLabel(QWidget *parent = nullptr);
    explicit AutoSizeLabel(const QString &text, QWidget *parent = nullptr);

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
