#include "captionaccessible.h"

#include "captiontext.h"
#include "linklabel.h"

#include <QLabel>

namespace {

QAccessibleInterface *labelFactory(const QString &key, QObject *object)
{
    // Only the exact classes: a subclass that registers its own interface
    // is asked with its own class name first.
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (key == QLatin1String("LinkLabel"))
        return new CaptionAccessible(widget, QAccessible::Link);
    if (key == QLatin1String("AutoSizeLabel") || key == QLatin1String("ShadowLabel"))
        return new CaptionAccessible(widget, QAccessible::StaticText);
    return nullptr;
}

} // namespace

CaptionAccessible::CaptionAccessible(QWidget *label, QAccessible::Role role)
    : QAccessibleWidget(label, role)
{
}

QString CaptionAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        if (!name.isEmpty())
            return name;
        if (auto *label = qobject_cast<QLabel *>(widget()))
            return captionPlainText(label->text());
    }
    if (t == QAccessible::Value) {
        if (auto *link = qobject_cast<LinkLabel *>(widget()))
            return link->href();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State CaptionAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (role() == QAccessible::Link)
        s.linked = true;
    return s;
}

QStringList CaptionAccessible::actionNames() const
{
    if (role() == QAccessible::Link && widget()->isEnabled())
        return { pressAction() };
    return QAccessibleWidget::actionNames();
}

void CaptionAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction()) {
        if (auto *link = qobject_cast<LinkLabel *>(widget()); link && link->isEnabled())
            link->openLink();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void CaptionAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(labelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
