// Hover: streams of 10,000 mouse moves over the persons of the tree, sent to
// the main window through the window system's event path, so each move runs
// Image1MouseMove and the labels, bars and status panels it changes are
// repainted before the next move. The floor is the same stream sent to a
// plain widget of the same size that does nothing with it. A second floor,
// a window whose one label shows the mouse position, is the least any window
// that answers every move with a new text costs.
#include "application.h"
#include "figuretable.h"
#include "form1.h"
#include "paintcounter.h"
#include "pairedrounds.h"
#include "personboxes.h"
#include "statuspanels.h"

#include <QLabel>
#include <QList>
#include <QMouseEvent>
#include <QTest>

#include <cstdio>

namespace {

constexpr int MovesPerStream = 10000;

// A window of the floor's size with one label that shows the mouse position
// at every move, as status panel 0 does.
class PositionLabelWindow : public QWidget {
public:
    PositionLabelWindow()
        : label(new QLabel(this))
    {
        setMouseTracking(true);
        label->setGeometry(0, 500, 150, 17);
        label->setAutoFillBackground(true);
    }

protected:
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const QPoint p = event->position().toPoint();
        label->setText(QStringLiteral("%1  %2").arg(p.x()).arg(p.y()));
    }

private:
    QLabel *label;
};

// Ten moves across each person's head before going on to the next person,
// as a hand moving over the tree makes them.
QList<QPoint> glidingStream()
{
    QList<QPoint> moves;
    for (int k = 0; moves.size() < MovesPerStream; ++k) {
        const int person = k / 10 % PersonBoxes::Count + 1;
        const int step = k % 10;
        moves.append(QPoint(
            PersonBoxes::left(person) + 8 + 3 * step, PersonBoxes::top(person) + 10 + 5 * step));
    }
    return moves;
}

// Every move lands on another person: the most work a move can cause.
QList<QPoint> jumpingStream()
{
    QList<QPoint> moves;
    for (int k = 0; moves.size() < MovesPerStream; ++k) {
        const int person = k * 7 % PersonBoxes::Count + 1; // 7 and 22 share no factor
        moves.append(PersonBoxes::box(person).center() + QPoint(k % 3, k % 5));
    }
    return moves;
}

void send(QWindow *window, const QList<QPoint> &moves)
{
    // QTest::mouseMove hands the move to QWindowSystemInterface and then
    // processes the events it posted, the repaint included.
    for (const QPoint &p : moves)
        QTest::mouseMove(window, p);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);

    TForm1 form;
    form.showMaximized();
    QWidget floor;
    floor.setMouseTracking(true);
    floor.showMaximized();
    PositionLabelWindow labelFloor;
    labelFloor.showMaximized();
    if (!QTest::qWaitForWindowExposed(&floor) || !QTest::qWaitForWindowExposed(&form)
        || !QTest::qWaitForWindowExposed(&labelFloor)) {
        std::fputs("the windows were not shown\n", stderr);
        return 2;
    }
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fputs("the window did not become active\n", stderr);
        return 2;
    }

    // Picture coordinates to window coordinates; the floor is as large as the
    // form and gets the same positions.
    const QPoint origin
        = form.findChild<QWidget *>(QStringLiteral("Image1"))->mapTo(&form, QPoint());
    const auto toWindow = [&](QList<QPoint> moves) {
        for (QPoint &p : moves)
            p += origin;
        return moves;
    };
    const QList<QPoint> gliding = toWindow(glidingStream());
    const QList<QPoint> jumping = toWindow(jumpingStream());

    // Person 3 is the reference, so most pairs have a term.
    QTest::mouseClick(
        form.windowHandle(), Qt::LeftButton, {}, origin + PersonBoxes::box(3).center());

    // The figures count only if every move reached the handler and its
    // repaints were done before the next move.
    {
        // Every move of the stream goes to another person, so the marker bar
        // moves and repaints every time.
        PaintCounter barPaints(form.findChild<QWidget *>(QStringLiteral("KursorTo")));
        send(form.windowHandle(), jumping.first(100));
        const auto *status = form.findChild<StatusPanels *>(QStringLiteral("StatusBar1"));
        const QPoint last = jumping[99] - origin;
        if (status->panelText(0) != QStringLiteral("%1  %2").arg(last.x()).arg(last.y())
            || barPaints.count() < 95) {
            std::fprintf(stderr, "moves do not reach the form or are not repainted (%d paints)\n",
                barPaints.count());
            return 2;
        }
    }

    FigureTable table;
    const auto measure = [&](const QString &figure, const QList<QPoint> &moves) {
        PairedRounds rounds(5);
        rounds.run([&] { send(form.windowHandle(), moves); },
            [&] { send(floor.windowHandle(), moves); }, int(moves.size()));
        const double us = rounds.measuredNs / 1000;
        const double floorUs = rounds.floorNs / 1000;
        table.add({ figure, FigureTable::number(us, QStringLiteral("µs/move")),
            FigureTable::number(floorUs, QStringLiteral("µs/move")),
            FigureTable::ratio(us, floorUs), QStringLiteral("≤ 3× floor, < 50 µs"),
            us <= 3 * floorUs && us < 50 });
    };
    measure(QStringLiteral("hover, 10 moves a person (10,000 moves)"), gliding);
    measure(QStringLiteral("hover, a new person every move (10,000 moves)"), jumping);
    {
        PairedRounds rounds(5);
        rounds.run([&] { send(form.windowHandle(), gliding); },
            [&] { send(labelFloor.windowHandle(), gliding); }, int(gliding.size()));
        table.addRatio(
            QStringLiteral("hover, 10 moves a person, floor: one label showing the position"),
            rounds.measuredNs / 1000, rounds.floorNs / 1000, QStringLiteral("µs/move"), 1.5);
    }
    table.print();
    return 0;
}
