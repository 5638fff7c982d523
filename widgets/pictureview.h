#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <QWindow>

// Shows a picture at its natural size at the top-left and reports the mouse
// in its own pixels. A left-button drag that starts over the view keeps
// reporting moves wherever the pointer goes until the button is released.
// Other buttons keep nothing: whatever their press was on, a press or move
// is reported when the view is the control under the pointer, and controls
// lying over the view keep it from their own pixels. A left button held
// since a press elsewhere keeps the mouse there until its release.
class PictureView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString jpegResource READ jpegResource WRITE setJpegResource)

public:
    explicit PictureView(QWidget *parent = nullptr);

    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // Takes over a picture that owns its pixels, such as decodeJpeg makes,
    // without copying them.
    void takePicture(QImage &&picture);

    // Throws JpegError for data that does not decode; the picture stays.
    void loadJpeg(QByteArrayView jpegBytes);

    // A Qt resource path such as ":/JPEG/0STEP". A missing resource throws
    // std::runtime_error, undecodable data JpegError; an empty path clears.
    QString jpegResource() const { return m_jpegResource; }
    void setJpegResource(const QString &path);

    QSize sizeHint() const override;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void deliver(const QMouseEvent *event, QPoint pos);
    bool isTopmostAt(QPoint pos) const;
    bool cameThroughWindow(const QMouseEvent *event) const;
    QImage m_picture;
    QString m_jpegResource;
    bool m_leftDrag = false;
    // The window whose mouse events the view takes, and the last of them.
    struct WindowEvent {
        QEvent::Type type = QEvent::None;
        quint64 timestamp = 0;
        Qt::MouseButton button = Qt::NoButton;
        Qt::MouseButtons buttons;
        QPointF globalPosition;
    };
    QPointer<QWindow> m_window;
    WindowEvent m_windowEvent;
};
