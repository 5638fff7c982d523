#include "pictureview.h"

#include "pixelat.h"

#include "jpegdecoder.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <stdexcept>

namespace {

// A picture to assistive technology: its name and description are the
// widget's accessible name and description, which the owner keeps current.
QAccessibleInterface *pictureViewFactory(const QString &key, QObject *object)
{
    if (key == QLatin1String("PictureView") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PictureView::PictureView(QWidget *parent)
    : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pictureViewFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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

void PictureView::takePicture(QImage &&picture)
{
    m_picture = std::move(picture);
    update();
}

void PictureView::loadJpeg(QByteArrayView jpegBytes)
{
    // Decode first: a failure leaves the shown picture as it was.
    takePicture(decodeJpeg(jpegBytes));
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
    if (!cameThroughWindow(event))
        deliver(event, pixelAt(event->position()));
}

void PictureView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!cameThroughWindow(event))
        deliver(event, pixelAt(event->position()));
}

void PictureView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (!cameThroughWindow(event))
        deliver(event, pixelAt(event->position()));
}

// The rules for every press, move and release: the window's own, or one
// sent to the view directly.
void PictureView::deliver(const QMouseEvent *event, QPoint pos)
{
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // During the left drag every press over the view is reported, the
        // bars' pixels included.
        if (m_leftDrag) {
            if (rect().contains(pos))
                emit mouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
            return;
        }
        // A left button pressed elsewhere keeps the mouse there.
        if (leftHeld && event->button() != Qt::LeftButton)
            return;
        if (!isTopmostAt(pos))
            return;
        if (event->button() == Qt::LeftButton)
            m_leftDrag = true;
        emit mouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
        return;
    case QEvent::MouseMove:
        // A release lost to a grab elsewhere must not leave a drag behind.
        if (!leftHeld)
            m_leftDrag = false;
        if (m_leftDrag || (!leftHeld && isTopmostAt(pos)))
            emit mouseMove(event->modifiers(), pos.x(), pos.y());
        return;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::LeftButton)
            m_leftDrag = false;
        return;
    default:
        return;
    }
}

// Whether the view is the control under the pointer, not covered there by
// one lying over it.
bool PictureView::isTopmostAt(QPoint pos) const
{
    if (!rect().contains(pos))
        return false;
    const QWidget *top = window();
    return top == this || top->childAt(mapTo(top, pos)) == this;
}

void PictureView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QWindow *handle = window()->windowHandle();
    if (handle && handle != m_window) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = handle;
        m_window->installEventFilter(this);
    }
}

// Qt hands every mouse event, while any button is held, to the control the
// first of those buttons was pressed on; here only a left press over the view
// keeps the mouse. So the view takes the window's own mouse events and
// applies its rules to them whichever control Qt then hands them to.
bool PictureView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick)
        return false;
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    m_windowEvent
        = { type, mouse->timestamp(), mouse->button(), mouse->buttons(), mouse->globalPosition() };
    // An open menu takes the mouse. The second press of a double click has
    // come before its double-click event: one press counts.
    if (QApplication::activePopupWidget() || type == QEvent::MouseButtonDblClick)
        return false;
    QWidget *top = window();
    deliver(mouse, mapFrom(top, pixelAt(mouse->position())));
    return false;
}

// Whether Qt made the event from the window's event the view has just taken.
bool PictureView::cameThroughWindow(const QMouseEvent *event) const
{
    const WindowEvent &w = m_windowEvent;
    return m_window && event->type() == w.type && event->timestamp() == w.timestamp
        && event->button() == w.button && event->buttons() == w.buttons
        && event->globalPosition() == w.globalPosition;
}

void PictureView::hideEvent(QHideEvent *event)
{
    m_leftDrag = false;
    QWidget::hideEvent(event);
}
