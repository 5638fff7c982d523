#include "kinshipgrid.h"

#include "pixelat.h"

#include "kinshipgridaccessible.h"
#include "kinshiptable.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

const QColor KinshipGrid::GridLineColor { 0xC0, 0xC0, 0xC0 };
const QColor KinshipGrid::HeadingLineColor { 0x00, 0x00, 0x00 };

namespace {

constexpr int ColumnPitch = KinshipGrid::ColumnWidth + KinshipGrid::GridLineWidth;
constexpr int RowPitch = KinshipGrid::RowHeight + KinshipGrid::GridLineWidth;
constexpr int TextMargin = 2;

// A term may be megabytes long after a paste, yet no more than a few dozen
// characters fit into a cell: only this many are handed to the text layout.
constexpr qsizetype MaxShownChars = 100;

QString shownText(const QString &term)
{
    QString text = QStringView(term).left(MaxShownChars).toString();
    if (text.size() < term.size() && !text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    // A cell shows one line: whatever would break it shows as a blank.
    for (QChar &ch : text) {
        const auto category = ch.category();
        if (ch == u'\n' || ch == u'\r' || ch == u'\v' || ch == u'\f' || ch == QChar(0x85)
            || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            ch = u' ';
    }
    return text;
}

} // namespace

KinshipGrid::KinshipGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    KinshipGridAccessible::install();

    QFont gridFont(QStringLiteral("MS Sans Serif"));
    gridFont.setPixelSize(11);
    setFont(gridFont);

    // A sunken 2 px edge like the client edge of a classic Windows control.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    autoScrollTimer.setInterval(AutoScrollInterval);
    connect(&autoScrollTimer, &QTimer::timeout, this, [this] {
        // Should the release have gone elsewhere, the drag ends here.
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
            stopDrag();
        else
            autoScrollStep(lastMousePos);
    });

    resize(sizeHint());
    updateScrollBars();
}

QSize KinshipGrid::sizeHint() const
{
    return { 760, 458 };
}

void KinshipGrid::setTable(const KinshipTable *table)
{
    kinship = table;
    refresh();
}

void KinshipGrid::refresh()
{
    viewport()->update();
    KinshipGridAccessible::termsChanged(this);
}

int KinshipGrid::leftColumn() const
{
    return horizontalScrollBar()->value() + 1;
}

int KinshipGrid::topRow() const
{
    return verticalScrollBar()->value() + 1;
}

int KinshipGrid::pageColumns() const
{
    return std::clamp((viewport()->width() - ColumnPitch) / ColumnPitch, 1, KinshipTable::Size);
}

int KinshipGrid::pageRows() const
{
    return std::clamp((viewport()->height() - RowPitch) / RowPitch, 1, KinshipTable::Size);
}

QRect KinshipGrid::cellRect(int row, int column) const
{
    if (row < 0 || row > KinshipTable::Size || column < 0 || column > KinshipTable::Size)
        return {};
    if ((column > 0 && column < leftColumn()) || (row > 0 && row < topRow()))
        return {};
    const int x = column == 0 ? 0 : (column - leftColumn() + 1) * ColumnPitch;
    const int y = row == 0 ? 0 : (row - topRow() + 1) * RowPitch;
    return { x, y, ColumnWidth, RowHeight };
}

GridCell KinshipGrid::cellAt(const QPoint &pos) const
{
    const GridCell none { -1, -1 };
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= viewport()->width()
        || pos.y() >= viewport()->height())
        return none;
    const int columnSlot = pos.x() / ColumnPitch;
    const int rowSlot = pos.y() / RowPitch;
    const int column = columnSlot == 0 ? 0 : leftColumn() + columnSlot - 1;
    const int row = rowSlot == 0 ? 0 : topRow() + rowSlot - 1;
    if (column > KinshipTable::Size || row > KinshipTable::Size)
        return none;
    return { row, column };
}

GridSelection::Sides KinshipGrid::sidesBeyond(const QPoint &pos) const
{
    // The cells shown end at the viewport's edge or after the last column
    // and row, whichever comes first.
    const int right
        = std::min(viewport()->width(), (KinshipTable::Size - leftColumn() + 2) * ColumnPitch);
    const int bottom
        = std::min(viewport()->height(), (KinshipTable::Size - topRow() + 2) * RowPitch);
    GridSelection::Sides sides;
    if (pos.x() < ColumnPitch)
        sides |= GridSelection::LeftSide;
    else if (pos.x() >= right)
        sides |= GridSelection::RightSide;
    if (pos.y() < RowPitch)
        sides |= GridSelection::AboveSide;
    else if (pos.y() >= bottom)
        sides |= GridSelection::BelowSide;
    return sides;
}

void KinshipGrid::autoScrollStep(const QPoint &pos)
{
    const GridSelection::Sides sides = sidesBeyond(pos);
    if (!sides)
        return;
    const GridCell before = cells.anchor();
    cells.autoScrollStep(sides);
    ensureCellVisible(cells.anchor());
    if (cells.anchor() != before)
        selectionMoved();
}

void KinshipGrid::ensureCellVisible(GridCell cell)
{
    const auto scrollTo = [](QScrollBar *bar, int first, int page, int index) {
        if (index < first)
            first = index;
        else if (index > first + page - 1)
            first = index - page + 1;
        bar->setValue(first - 1);
    };
    if (cell.column >= 1)
        scrollTo(horizontalScrollBar(), leftColumn(), pageColumns(), cell.column);
    if (cell.row >= 1)
        scrollTo(verticalScrollBar(), topRow(), pageRows(), cell.row);
}

void KinshipGrid::updateScrollBars()
{
    // Scrolling goes by whole columns (and rows, should they not fit): the
    // scroll bars' values are the first column and row shown, less one.
    QScrollBar *columns = horizontalScrollBar();
    columns->setRange(0, KinshipTable::Size - pageColumns());
    columns->setPageStep(pageColumns());
    columns->setSingleStep(1);
    QScrollBar *rows = verticalScrollBar();
    rows->setRange(0, KinshipTable::Size - pageRows());
    rows->setPageStep(pageRows());
    rows->setSingleStep(1);
}

void KinshipGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void KinshipGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

bool KinshipGrid::showsFocusCell() const
{
    // The focus rectangle marks the window's focused control, which stays
    // so while another application is in front.
    const QWidget *top = window();
    return hasFocus() || (top && top->focusWidget() == this && !top->isActiveWindow());
}

void KinshipGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().color(QPalette::Base));

    const bool focusCell = showsFocusCell();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const auto paintRow = [&](int row) {
        for (int column = 0; column <= KinshipTable::Size;
             column = column == 0 ? leftColumn() : column + 1) {
            const QRect rect = cellRect(row, column);
            if (rect.isNull() || rect.left() >= width)
                break;
            if (rect.adjusted(0, 0, GridLineWidth, GridLineWidth).intersects(dirty))
                paintCell(painter, row, column, rect, focusCell);
        }
    };
    for (int row = 0; row <= KinshipTable::Size; row = row == 0 ? topRow() : row + 1) {
        if (cellRect(row, 0).top() >= height)
            break;
        paintRow(row);
    }
}

void KinshipGrid::paintCell(
    QPainter &painter, int row, int column, const QRect &rect, bool focusCell) const
{
    const bool heading = row == 0 || column == 0;
    const QColor lines = heading ? HeadingLineColor : GridLineColor;
    // Every cell owns the grid lines at its right and bottom.
    painter.fillRect(
        QRect(rect.right() + 1, rect.top(), GridLineWidth, rect.height() + GridLineWidth), lines);
    painter.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width(), GridLineWidth), lines);

    const QPalette &pal = palette();
    QString text;
    QColor textColor;
    QFont textFont = font();
    if (heading) {
        painter.fillRect(rect, pal.color(QPalette::Button));
        // A raised edge: light at the top and left, shadow at the bottom and right.
        painter.fillRect(
            QRect(rect.left(), rect.top(), rect.width(), 1), pal.color(QPalette::Light));
        painter.fillRect(
            QRect(rect.left(), rect.top(), 1, rect.height()), pal.color(QPalette::Light));
        painter.fillRect(
            QRect(rect.left(), rect.bottom(), rect.width(), 1), pal.color(QPalette::Dark));
        painter.fillRect(
            QRect(rect.right(), rect.top(), 1, rect.height()), pal.color(QPalette::Dark));
        if (row != column)
            text = QString::number(row == 0 ? column : row);
        textColor = pal.color(QPalette::ButtonText);
    } else {
        const bool current = cells.current() == GridCell { row, column };
        const bool selected = cells.block().contains(row, column) && !(current && focusCell);
        // The block takes the colour of an active window's caption, the same
        // whether or not this window is active.
        painter.fillRect(rect,
            selected ? pal.color(QPalette::Active, QPalette::Highlight)
                     : pal.color(QPalette::Base));
        textColor = selected ? QColor(Qt::white) : pal.color(QPalette::Text);
        if (kinship) {
            text = shownText(kinship->term(row, column));
            textFont.setItalic(kinship->IsAffinity(row, column));
        }
    }

    if (!text.isEmpty()) {
        painter.setFont(textFont);
        painter.setPen(textColor);
        // One line, left-aligned, 2 px in from the left and top, cut off 2 px
        // before the right edge; an ampersand is drawn as itself.
        const QRect textRect = rect.adjusted(TextMargin, TextMargin, -TextMargin, -TextMargin);
        painter.save();
        painter.setClipRect(textRect);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        painter.restore();
    }

    if (!heading && focusCell && cells.current() == GridCell { row, column }) {
        // A dotted rectangle along the cell's edge: of a checkerboard laid
        // from its top-left pixel, the edge pixels on the set squares.
        QPolygon dots;
        const auto dot = [&](int x, int y) {
            if ((x - rect.left() + y - rect.top()) % 2 == 0)
                dots << QPoint(x, y);
        };
        for (int x = rect.left(); x <= rect.right(); ++x) {
            dot(x, rect.top());
            dot(x, rect.bottom());
        }
        for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
            dot(rect.left(), y);
            dot(rect.right(), y);
        }
        painter.setPen(pal.color(QPalette::Text));
        painter.drawPoints(dots);
    }
}

void KinshipGrid::selectionMoved()
{
    viewport()->update();
    emit selectionChanged();
    KinshipGridAccessible::selectionMoved(this);
}

void KinshipGrid::mousePressEvent(QMouseEvent *event)
{
    // Other buttons only give the grid the focus, which the click has done.
    if (event->button() != Qt::LeftButton)
        return;
    const GridCell cell = cellAt(pixelAt(event->position()));
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (!cells.press(cell.row, cell.column, shift))
        return;
    dragging = true;
    lastMousePos = pixelAt(event->position());
    ensureCellVisible(shift ? cells.anchor() : cells.current());
    selectionMoved();
}

void KinshipGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere.
        stopDrag();
        return;
    }
    lastMousePos = pixelAt(event->position());
    if (sidesBeyond(lastMousePos)) {
        if (!autoScrollTimer.isActive())
            autoScrollTimer.start();
        return;
    }
    autoScrollTimer.stop();
    const GridCell cell = cellAt(lastMousePos);
    const GridCell before = cells.anchor();
    if (cells.dragTo(cell.row, cell.column) && cells.anchor() != before)
        selectionMoved();
}

void KinshipGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stopDrag();
}

void KinshipGrid::stopDrag()
{
    dragging = false;
    autoScrollTimer.stop();
}

void KinshipGrid::hideEvent(QHideEvent *event)
{
    stopDrag();
    QAbstractScrollArea::hideEvent(event);
}

void KinshipGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void KinshipGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

KinshipGrid::KeyAction KinshipGrid::clipboardAction(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Insert:
        // Shift wins over Ctrl: Ctrl+Shift+Insert pastes.
        if (shift)
            return KeyAction::Paste;
        return control ? KeyAction::Copy : KeyAction::None;
    case Qt::Key_Delete:
        return shift ? KeyAction::Cut : KeyAction::None;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
        // The grid knows only the Insert and Delete clipboard keys; these are
        // kept from the window's shortcuts and do nothing.
        return control ? KeyAction::Ignored : KeyAction::None;
    default:
        return KeyAction::None;
    }
}

bool KinshipGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (clipboardAction(key) != KeyAction::None) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void KinshipGrid::keyPressEvent(QKeyEvent *event)
{
    switch (clipboardAction(event)) {
    case KeyAction::Copy:
        emit copyRequested();
        return;
    case KeyAction::Cut:
        emit cutRequested();
        return;
    case KeyAction::Paste:
        emit pasteRequested();
        return;
    case KeyAction::Ignored:
        return;
    case KeyAction::None:
        break;
    }

    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    using Move = GridSelection::Move;
    Move move;
    switch (event->key()) {
    case Qt::Key_Up:
        move = Move::Up;
        break;
    case Qt::Key_Down:
        move = Move::Down;
        break;
    case Qt::Key_Left:
        move = Move::Left;
        break;
    case Qt::Key_Right:
        move = Move::Right;
        break;
    case Qt::Key_PageUp:
        move = control ? Move::PageLeft : Move::PageUp;
        break;
    case Qt::Key_PageDown:
        move = control ? Move::PageRight : Move::PageDown;
        break;
    case Qt::Key_Home:
        move = control ? Move::Top : Move::Home;
        break;
    case Qt::Key_End:
        move = control ? Move::Bottom : Move::End;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const GridSelection before = cells;
    cells.move(move, extend, pageRows(), pageColumns());
    ensureCellVisible(cells.current());
    if (cells.current() != before.current() || cells.anchor() != before.anchor())
        selectionMoved();
}
