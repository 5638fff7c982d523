#include "findcontrol.h"
#include "application.h"
#include "form1.h"
#include "kinshipgrid.h"
#include "kinshiptable.h"
#include "personboxes.h"
#include "statuspanels.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

// Clipboard texts of tens of megabytes, lines of megabytes and millions of
// lines, pasted into the grid through the real keys of the window. The paste
// must finish quickly and leave the window answering: a hover over the tree
// and a repaint of the grid afterwards. The bounds here are generous, against
// a hang or a cost that grows with the square of the text; the figures are
// printed.

namespace {

enum class Kind {
    ManyShortLines,
    OneLongLine,
    OneHugeField,
    MillionsOfLines,
    EmptyLines,
    LoneCRs,
    NulFirst
};

QString text(Kind kind)
{
    QString s;
    switch (kind) {
    case Kind::ManyShortLines: // 2 million lines, 32 million characters
        for (int i = 0; i < 30; ++i)
            s += QStringLiteral("r%1a\tr%1b\tr%1c\r\n").arg(i + 1, 2, 10, QLatin1Char('0'));
        s += QStringLiteral("xxxx\tyyyy\tzz\r\n").repeated(2'000'000 - 30);
        break;
    case Kind::OneLongLine: // 8 million characters, a TAB every 64
        s = (QString(63, u'д') + u'\t').repeated(1 << 17) + QStringLiteral("\r\n");
        break;
    case Kind::OneHugeField: // one term of 8 million characters
        s = QStringLiteral("сват").repeated(2 << 20);
        break;
    case Kind::MillionsOfLines: // 5 million lines of one letter
        s = QStringLiteral("x\n").repeated(5'000'000);
        break;
    case Kind::EmptyLines: // 10 million empty lines: no row changes
        s = QStringLiteral("\r\n").repeated(10'000'000);
        break;
    case Kind::LoneCRs: // 10 million lines ended by a lone CR
        s = QStringLiteral("\r").repeated(10'000'000);
        break;
    case Kind::NulFirst: // the text ends before it begins
        s = QChar(u'\0') + QStringLiteral("мать\t").repeated(6'000'000);
        break;
    }
    return s;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestHugePaste : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void paste_data();
    void paste();

private:
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return findControl<T>(form.get(), name);
    }
    QPoint at(const QWidget *w, QPoint p) const { return w->mapTo(form.get(), p); }
    void click(QPoint windowPos)
    {
        QTest::mouseMove(form->windowHandle(), windowPos);
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, windowPos);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(form->windowHandle(), k, m);
    }
    void showPage(int index)
    {
        QTabBar *tabs = child<QTabWidget>("PageControl1")->tabBar();
        click(at(tabs, tabs->tabRect(index).center()));
        QCOMPARE(child<QTabWidget>("PageControl1")->currentIndex(), index);
    }
    QPoint person(int k) const { return at(child("Image1"), PersonBoxes::box(k).center()); }

    std::unique_ptr<TForm1> form;
};

void TestHugePaste::cleanup()
{
    form.reset();
}

void TestHugePaste::paste_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("wholeTable"); // else the one cell at row 1, column 2
    QTest::addColumn<QStringList>("firstRow"); // row 1's terms after the paste, from column 1
    QTest::addColumn<QString>("lastRowFirstTerm"); // term(22, 1) after the paste

    const KinshipTable start = KinshipTable::initial();
    QStringList row1;
    for (int c = 1; c <= KinshipTable::Size; ++c)
        row1 << start.term(1, c);
    const auto with = [&](QStringList row, int from, const QStringList &terms) {
        for (int i = 0; i < terms.size(); ++i)
            row[from - 1 + i] = terms[i];
        return row;
    };

    QTest::newRow("tens of MB, short lines")
        << Kind::ManyShortLines << true << with(row1, 1, { "r01a", "r01b", "r01c" }) << "r22a";
    QStringList longLine;
    for (int c = 1; c <= KinshipTable::Size; ++c)
        longLine << QString(63, u'д');
    QTest::newRow("one line of megabytes")
        << Kind::OneLongLine << true << longLine << start.term(22, 1);
    QTest::newRow("one term of megabytes")
        << Kind::OneHugeField << false
        << with(row1, 2, { QStringLiteral("сват").repeated(2 << 20) }) << start.term(22, 1);
    QTest::newRow("millions of lines")
        << Kind::MillionsOfLines << true << with(row1, 1, { "x" }) << "x";
    QTest::newRow("millions of empty lines")
        << Kind::EmptyLines << true << row1 << start.term(22, 1);
    QTest::newRow("millions of lone CRs") << Kind::LoneCRs << true << row1 << start.term(22, 1);
    QTest::newRow("NUL first") << Kind::NulFirst << true << row1 << start.term(22, 1);
}

void TestHugePaste::paste()
{
    QFETCH(Kind, kind);
    QFETCH(bool, wholeTable);
    QFETCH(QStringList, firstRow);
    QFETCH(QString, lastRowFirstTerm);

    // Each case starts from the table the program starts with.
    form = std::make_unique<TForm1>();
    form->showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    showPage(2);
    auto *grid = child<KinshipGrid>("RodGrid");
    click(at(grid->viewport(), grid->cellRect(1, wholeTable ? 1 : 2).center()));
    if (wholeTable) {
        key(Qt::Key_End, Qt::ShiftModifier);
        key(Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    }
    const TableBlock block = wholeTable ? TableBlock { 1, 1, 22, 22 } : TableBlock { 1, 2, 1, 2 };
    QVERIFY(grid->selectedBlock() == block);

    const QString pasted = text(kind);
    QGuiApplication::clipboard()->setText(pasted);
    QElapsedTimer clock;
    clock.start();
    key(Qt::Key_Insert, Qt::ShiftModifier);
    const qint64 pasteMs = clock.elapsed();

    QStringList row;
    for (int c = 1; c <= KinshipTable::Size; ++c)
        row << form->table().term(1, c);
    QVERIFY(row == firstRow); // no QCOMPARE: a failure would print megabytes
    QCOMPARE(form->table().term(22, 1), lastRowFirstTerm);

    // The grid paints the changed terms.
    clock.restart();
    grid->viewport()->repaint();
    const qint64 repaintMs = clock.elapsed();

    // The tree answers a hover over the changed pair: person 1 to person 2.
    showPage(0);
    click(person(1));
    clock.restart();
    QTest::mouseMove(form->windowHandle(), person(2));
    form->repaint();
    const qint64 hoverMs = clock.elapsed();
    QCOMPARE(form->relations().ToPerson(), 2);
    QVERIFY(child<QLabel>("NameFrom")->text() == firstRow[1]);
    QCOMPARE(child<StatusPanels>("StatusBar1")->panelText(2), "2");

    qInfo("%lld characters: paste %lld ms, grid repaint %lld ms, hover and repaint %lld ms",
        qlonglong(pasted.size()), pasteMs, repaintMs, hoverMs);
    // Generous bounds, against a hang or a cost that grows with the text; the
    // figures above are what to look at. A hover that laid out a whole term
    // of megabytes took seconds.
    QVERIFY2(pasteMs < 10000, qPrintable(QString::number(pasteMs)));
    QVERIFY2(repaintMs < 10000, qPrintable(QString::number(repaintMs)));
    QVERIFY2(hoverMs < 3000, qPrintable(QString::number(hoverMs)));
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestHugePaste test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hugepaste.moc"
