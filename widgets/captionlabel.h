#pragma once

#include <QLabel>

// The common ground of the caption labels: an opaque label in the page
// colour with a plain-text caption that, while autoSize is on, takes exactly
// the size its subclass measures for the caption whenever the caption or the
// font changes.
class CaptionLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Hides QLabel::setText so that the size follows the caption.
    void setText(const QString &text);

protected:
    // Sets up everything but the caption: the subclass sets that itself once
    // it is whole, since the fit asks it for the extent.
    explicit CaptionLabel(QWidget *parent = nullptr);

    // The size the caption takes, as the subclass measures and draws it.
    virtual QSize textExtent() const = 0;

    // Public, with a property, only in the subclasses that offer it.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    void changeEvent(QEvent *event) override;

private:
    void fitToText();
    void rememberGivenSize();

    bool m_autoSize = true;
    QSize m_fittedSize; // the size the last fit gave
    QSize m_givenSize; // the size last set from outside, used once autoSize is off
};
