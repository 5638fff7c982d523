#pragma once

#include <QAccessibleWidget>

// What assistive technology reads for the program's own labels: the caption
// without its mnemonic ampersands (unless an accessible name was set), with
// the role of a static text or, for link labels, of a link that can be
// pressed.
class CaptionAccessible : public QAccessibleWidget {
public:
    CaptionAccessible(QWidget *label, QAccessible::Role role);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Registers the interfaces for AutoSizeLabel, ShadowLabel and LinkLabel;
    // safe to call more than once.
    static void install();
};
