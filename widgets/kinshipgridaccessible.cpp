#include "kinshipgridaccessible.h"

#include "kinshipgrid.h"
#include "kinshiptable.h"

#include <QPointer>

namespace {

constexpr int Size = KinshipTable::Size;

// Child indexes and the table's row and column indexes count from 0; the
// grid's rows and columns of terms from 1.
int childIndex(int row, int column)
{
    return (row - 1) * Size + (column - 1);
}

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(KinshipGrid *grid, int row, int column)
        : grid(grid)
        , row(row)
        , column(column)
    {
    }

    bool isValid() const override { return grid; }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(grid.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override { }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text type) const override
    {
        if (!grid || !grid->table())
            return {};
        switch (type) {
        case QAccessible::Name:
        case QAccessible::Value:
            return grid->table()->term(row, column);
        case QAccessible::Description:
            // What the italic face shows on the screen.
            if (grid->table()->IsAffinity(row, column)
                && !grid->table()->term(row, column).isEmpty())
                return QStringLiteral("свойство");
            return {};
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        if (!grid)
            return {};
        const QRect cell = grid->cellRect(row, column);
        if (cell.isNull())
            return {};
        return { grid->viewport()->mapToGlobal(cell.topLeft()), cell.size() };
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!grid)
            return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = grid->hasFocus() && grid->selection().current() == GridCell { row, column };
        state.invisible = grid->cellRect(row, column).isNull();
        state.offscreen = state.invisible;
        state.readOnly = true;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface
            ? static_cast<QAccessibleTableCellInterface *>(this)
            : nullptr;
    }

    bool isSelected() const override { return grid && grid->selectedBlock().contains(row, column); }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column - 1; }
    int rowIndex() const override { return row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPointer<KinshipGrid> grid;
    const int row;
    const int column;
};

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("KinshipGrid") && object && object->isWidgetType())
        return new KinshipGridAccessible(static_cast<KinshipGrid *>(object));
    return nullptr;
}

} // namespace

KinshipGridAccessible::KinshipGridAccessible(KinshipGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

KinshipGridAccessible::~KinshipGridAccessible()
{
    for (const QAccessible::Id id : std::as_const(cellIds))
        QAccessible::deleteAccessibleInterface(id);
}

void KinshipGridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void KinshipGridAccessible::selectionMoved(KinshipGrid *grid)
{
    if (!QAccessible::isActive())
        return;
    const GridCell current = grid->selection().current();
    if (grid->hasFocus()) {
        QAccessibleEvent focus(grid, QAccessible::Focus);
        focus.setChild(childIndex(current.row, current.column));
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(grid, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&selection);
}

void KinshipGridAccessible::termsChanged(KinshipGrid *grid)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(grid, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(0);
    event.setLastRow(Size - 1);
    event.setFirstColumn(0);
    event.setLastColumn(Size - 1);
    QAccessible::updateAccessibility(&event);
}

KinshipGrid *KinshipGridAccessible::grid() const
{
    return static_cast<KinshipGrid *>(widget());
}

QAccessible::Role KinshipGridAccessible::role() const
{
    return QAccessible::Table;
}

int KinshipGridAccessible::childCount() const
{
    return Size * Size;
}

QAccessibleInterface *KinshipGridAccessible::child(int index) const
{
    if (index < 0 || index >= Size * Size)
        return nullptr;
    return cellAt(index / Size, index % Size);
}

int KinshipGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    const auto *cell = static_cast<const QAccessibleTableCellInterface *>(
        const_cast<QAccessibleInterface *>(child)->interface_cast(QAccessible::TableCellInterface));
    if (!cell || child->parent() != this)
        return -1;
    return cell->rowIndex() * Size + cell->columnIndex();
}

QAccessibleInterface *KinshipGridAccessible::childAt(int x, int y) const
{
    const QPoint pos = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const GridCell cell = grid()->cellAt(pos);
    if (!GridSelection::isCell(cell.row, cell.column))
        return nullptr;
    return cellAt(cell.row - 1, cell.column - 1);
}

QAccessibleInterface *KinshipGridAccessible::focusChild() const
{
    if (!grid()->hasFocus())
        return nullptr;
    const GridCell current = grid()->selection().current();
    return cellAt(current.row - 1, current.column - 1);
}

void *KinshipGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *KinshipGridAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface *KinshipGridAccessible::summary() const
{
    return nullptr;
}

QAccessibleInterface *KinshipGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= Size || column < 0 || column >= Size)
        return nullptr;
    const int index = row * Size + column;
    if (const auto found = cellIds.constFind(index); found != cellIds.cend())
        return QAccessible::accessibleInterface(*found);
    auto *cell = new CellAccessible(grid(), row + 1, column + 1);
    cellIds.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int KinshipGridAccessible::selectedCellCount() const
{
    const TableBlock block = grid()->selectedBlock();
    return (block.r2 - block.r1 + 1) * (block.c2 - block.c1 + 1);
}

QList<QAccessibleInterface *> KinshipGridAccessible::selectedCells() const
{
    const TableBlock block = grid()->selectedBlock();
    QList<QAccessibleInterface *> selected;
    for (int r = block.r1; r <= block.r2; ++r)
        for (int c = block.c1; c <= block.c2; ++c)
            selected << cellAt(r - 1, c - 1);
    return selected;
}

QString KinshipGridAccessible::columnDescription(int column) const
{
    return column >= 0 && column < Size ? QString::number(column + 1) : QString();
}

QString KinshipGridAccessible::rowDescription(int row) const
{
    return row >= 0 && row < Size ? QString::number(row + 1) : QString();
}

int KinshipGridAccessible::selectedColumnCount() const
{
    return int(selectedColumns().size());
}

int KinshipGridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

int KinshipGridAccessible::columnCount() const
{
    return Size;
}

int KinshipGridAccessible::rowCount() const
{
    return Size;
}

QList<int> KinshipGridAccessible::selectedColumns() const
{
    QList<int> columns;
    for (int column = 0; column < Size; ++column)
        if (isColumnSelected(column))
            columns << column;
    return columns;
}

QList<int> KinshipGridAccessible::selectedRows() const
{
    QList<int> rows;
    for (int row = 0; row < Size; ++row)
        if (isRowSelected(row))
            rows << row;
    return rows;
}

bool KinshipGridAccessible::isColumnSelected(int column) const
{
    // A column counts as selected when the block covers it from top to bottom.
    const TableBlock block = grid()->selectedBlock();
    return block.r1 == 1 && block.r2 == Size && block.c1 <= column + 1 && column + 1 <= block.c2;
}

bool KinshipGridAccessible::isRowSelected(int row) const
{
    const TableBlock block = grid()->selectedBlock();
    return block.c1 == 1 && block.c2 == Size && block.r1 <= row + 1 && row + 1 <= block.r2;
}

bool KinshipGridAccessible::selectRow(int)
{
    return false;
}

bool KinshipGridAccessible::selectColumn(int)
{
    return false;
}

bool KinshipGridAccessible::unselectRow(int)
{
    return false;
}

bool KinshipGridAccessible::unselectColumn(int)
{
    return false;
}

void KinshipGridAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    // Rows and columns never change; the terms are read when asked for.
}
