#include "fontsubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void installFontSubstitutes()
{
    const QString family = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::hasFamily(family))
        return;
    const QStringList substitutes = { QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                      QStringLiteral("FreeSans") };
    QFont::insertSubstitutions(family, substitutes);
}
