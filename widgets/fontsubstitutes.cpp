#include "fontsubstitutes.h"

#include <QFont>
#include <QFontDatabase>

void installFontSubstitutes()
{
    const QString family = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::hasFamily(family))
        return;
    QFont::insertSubstitutions(family, QStringList { QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                         QStringLiteral("FreeSans") });
}
