#pragma once

#include <QPoint>
#include <QPointF>
#include <QtMath>

// The pixel under a mouse position. Between device and logical pixels (a
// scale factor of 2) a position may lie halfway into a pixel; it is still
// that pixel, where rounding would give the next one.
inline QPoint pixelAt(QPointF position)
{
    return { qFloor(position.x()), qFloor(position.y()) };
}
