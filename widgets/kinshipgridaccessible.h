#pragma once

#include <QAccessibleTableInterface>
#include <QAccessibleWidget>
#include <QHash>

class KinshipGrid;

// Presents the kinship grid to assistive tools as a table of 22 x 22 cells
// whose texts are the terms; the person numbers are the row and column
// descriptions. The selection is read-only from here.
class KinshipGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit KinshipGridAccessible(KinshipGrid *grid);
    ~KinshipGridAccessible() override;

    // Makes Qt ask this class for every KinshipGrid; safe to call repeatedly.
    static void install();
    // Tell assistive tools about a moved selection or changed terms.
    static void selectionMoved(KinshipGrid *grid);
    static void termsChanged(KinshipGrid *grid);

    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface *caption() const override;
    QAccessibleInterface *summary() const override;
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    KinshipGrid *grid() const;

    // Cell interfaces are made on demand and live as long as this one;
    // keyed by the cell's child index.
    mutable QHash<int, QAccessible::Id> cellIds;
};
