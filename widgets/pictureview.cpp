#include "pictureview.h"

#include "jpegdecoder.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

#include <stdexcept>

PictureView::PictureView(QWidget *parent)
    : QWidget(parent)
{
    // Moves without a button are reported too.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPicture(const QImage &picture)
{
    m_picture = picture;
    // Own the pixels: an image built on someone else's buffer must not
    // depend on that buffer staying alive.
    m_picture.detach();
    update();
}

void PictureView::loadJpeg(QByteArrayView jpegBytes)
{
    // Decode first: a failure leaves the shown picture as it was.
    setPicture(decodeJpeg(jpegBytes));
}

void PictureView::setJpegResource(const QString &path)
{
    if (path.isEmpty()) {
        m_jpegResource.clear();
        setPicture(QImage());
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("The picture resource %1 cannot be read.").arg(path).toStdString());
    const QByteArray bytes = file.readAll();
    loadJpeg(bytes);
    m_jpegResource = path;
}

QSize PictureView::sizeHint() const
{
    return m_picture.isNull() ? QSize(100, 100) : m_picture.deviceIndependentSize().toSize();
}

void PictureView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    if (!m_picture.isNull())
        p.drawImage(QPoint(0, 0), m_picture); // natural size, top-left
}

void PictureView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    const QPoint pos = event->position().toPoint();
    // While another button keeps the mouse here, a press may arrive with
    // the pointer outside; only presses over the view count.
    if (!rect().contains(pos))
        return;
    if (event->button() == Qt::LeftButton)
        m_leftDrag = true;
    emit mouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void PictureView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    // A release lost to a grab elsewhere must not leave a drag behind.
    if (!(event->buttons() & Qt::LeftButton))
        m_leftDrag = false;
    const QPoint pos = event->position().toPoint();
    if (m_leftDrag || rect().contains(pos))
        emit mouseMove(event->modifiers(), pos.x(), pos.y());
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDrag = false;
}

void PictureView::hideEvent(QHideEvent *event)
{
    m_leftDrag = false;
    QWidget::hideEvent(event);
}
