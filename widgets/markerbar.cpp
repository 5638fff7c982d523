#include "markerbar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

QString colourName(const QColor &c)
{
    // The interface speaks Russian; the four marker colours get their names.
    const QRgb rgb = c.rgb() & 0xffffff;
    switch (rgb) {
    case 0xff0000:
        return QStringLiteral("красный");
    case 0x0000ff:
        return QStringLiteral("синий");
    case 0x00ff00:
        return QStringLiteral("зелёный");
    case 0xffffff:
        return QStringLiteral("белый");
    default:
        return c.name();
    }
}

class MarkerBarAccessible : public QAccessibleWidget {
public:
    explicit MarkerBarAccessible(QWidget *bar)
        : QAccessibleWidget(bar, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Description && own.isEmpty())
            return colourName(static_cast<MarkerBar *>(widget())->color());
        return own;
    }
};

QAccessibleInterface *markerBarFactory(const QString &key, QObject *object)
{
    if (key == QLatin1String("MarkerBar") && object && object->isWidgetType())
        return new MarkerBarAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

MarkerBar::MarkerBar(QWidget *parent)
    : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(markerBarFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // The corners outside the rounded outline show what lies beneath.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NoMousePropagation);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MarkerBar::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

QSize MarkerBar::sizeHint() const
{
    return { 49, 8 };
}

void MarkerBar::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;
    QPainter p(this);
    if (w < 3 || h < 3) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    // A 2x2 ellipse at each corner leaves the corner pixel out of both the
    // outline and the fill; drawn pixel by pixel so no antialiasing blurs it.
    p.fillRect(1, 1, w - 2, h - 2, m_color);
    p.fillRect(1, 0, w - 2, 1, Qt::black);
    p.fillRect(1, h - 1, w - 2, 1, Qt::black);
    p.fillRect(0, 1, 1, h - 2, Qt::black);
    p.fillRect(w - 1, 1, 1, h - 2, Qt::black);
}

// The bar keeps every press, move and release on its pixels to itself.
void MarkerBar::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void MarkerBar::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void MarkerBar::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void MarkerBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}
