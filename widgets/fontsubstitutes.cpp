#include "fontsubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void installFontSubstitutes()
{
    const QString family = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::hasFamily(family))
        return;
    // DejaVu Sans Condensed keeps the 13 px text height at 11 px and is
    // narrow enough for the captions to fit the widths they were laid out in.
    const QStringList substitutes = { QStringLiteral("DejaVu Sans Condensed"),
                                      QStringLiteral("DejaVu Sans") };
    QFont::insertSubstitutions(family, substitutes);
}
