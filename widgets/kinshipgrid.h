#pragma once

#include "gridselection.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QTimer>

// The grid that shows the whole kinship table: 23 rows and 23 columns of
// 35x18 px cells with 1 px grid lines, row 0 and column 0 being fixed headings
// with the person numbers. The columns scroll sideways under the headings;
// the rows fit. The grid only shows the table and selects a block in it: the
// clipboard keys are reported as signals for the owner to act on.
class KinshipGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int CellCount = KinshipTable::Size + 1; // headings included
    static constexpr int ColumnWidth = 35;
    static constexpr int RowHeight = 18;
    static constexpr int GridLineWidth = 1;
    static constexpr int AutoScrollInterval = 60; // ms
    static const QColor GridLineColor; // silver, between the table's cells
    static const QColor HeadingLineColor; // black, around the headings

    explicit KinshipGrid(QWidget *parent = nullptr);

    // The grid reads the table when painting; it never changes it.
    void setTable(const KinshipTable *table);
    const KinshipTable *table() const { return kinship; }
    // Shows the table's terms afresh after they changed.
    void refresh();

    const GridSelection &selection() const { return cells; }
    TableBlock selectedBlock() const { return cells.block(); }

    // The first column and row of the table shown next to the headings.
    int leftColumn() const;
    int topRow() const;
    // How many of the table's columns and rows are shown whole: a page.
    int pageColumns() const;
    int pageRows() const;
    // Where a cell is drawn, in viewport coordinates, without its grid lines;
    // a null rectangle for a cell scrolled out of view or not in the grid.
    QRect cellRect(int row, int column) const;
    // The cell under a viewport position, its grid lines counting with it;
    // row and column are -1 where there is none.
    GridCell cellAt(const QPoint &viewportPos) const;
    // The sides of the cells shown beyond which a viewport position lies.
    GridSelection::Sides sidesBeyond(const QPoint &viewportPos) const;
    // One tick of the drag's automatic scrolling with the mouse at
    // viewportPos: the timer calls it every AutoScrollInterval ms while the
    // left button is held beyond an edge.
    void autoScrollStep(const QPoint &viewportPos);
    bool isAutoScrolling() const { return autoScrollTimer.isActive(); }
    // Scrolls so that the cell is shown whole, as far as the grid allows.
    void ensureCellVisible(GridCell cell);

    QSize sizeHint() const override;

signals:
    void copyRequested(); // Ctrl+Insert
    void cutRequested(); // Shift+Delete
    void pasteRequested(); // Shift+Insert
    void selectionChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    enum class KeyAction { None, Copy, Cut, Paste, Ignored };
    static KeyAction clipboardAction(const QKeyEvent *event);
    bool showsFocusCell() const;
    void paintCell(QPainter &painter, int row, int column, const QRect &rect, bool focusCell) const;
    void updateScrollBars();
    void stopDrag();
    void selectionMoved();

    const KinshipTable *kinship = nullptr;
    GridSelection cells;
    bool dragging = false;
    QPoint lastMousePos;
    QTimer autoScrollTimer;
};
