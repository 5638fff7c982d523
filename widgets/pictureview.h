#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QWidget>

// Shows a picture at its natural size at the top-left and reports the mouse
// in its own pixels. A left-button drag that starts over the view keeps
// reporting moves wherever the pointer goes until the button is released.
class PictureView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString jpegResource READ jpegResource WRITE setJpegResource)

public:
    explicit PictureView(QWidget *parent = nullptr);

    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

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

private:
    QImage m_picture;
    QString m_jpegResource;
    bool m_leftDrag = false;
};
