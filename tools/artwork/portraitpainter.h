#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>

class QPainter;

// Draws a person of the tree as a head-and-shoulders portrait on a rounded
// card filling the person's box. The faces are colour emoji, so that a
// learner tells a man from a woman and the grandparents from the children at
// a glance; every person has a face of his or her own.
class PortraitPainter {
public:
    // The emoji font the faces are rendered with.
    static QString fontFamily();
    // Whether the emoji font is installed and draws every face as one glyph.
    // Returns an explanation, or an empty string when all is well.
    static QString checkFont();

    // The emoji sequence that is the person's face.
    static QString face(int person);
    // The card colour behind a person: one for men, one for women.
    static QColor cardColor(int person);

    // Paints the person's card, exactly covering box (51x76 pixels).
    void paint(QPainter &painter, int person, const QRect &box) const;

private:
    // The person's card at Supersample times its size, with transparent corners.
    QImage card(int person, QSize size) const;
    QImage glyph(const QString &face) const;

    static constexpr int Supersample = 4;
    mutable QHash<QString, QImage> glyphs;
};
