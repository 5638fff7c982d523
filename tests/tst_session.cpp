#include "findcontrol.h"
#include "application.h"
#include "degrees.h"
#include "form1.h"
#include "kinshipgrid.h"
#include "personboxes.h"
#include "radiogroup.h"
#include "statuspanels.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

// A whole session as a user has it, from start to the exit button, for the
// memory checks: the sanitizer build's leak check runs at the end of this
// program, and Valgrind's memcheck can run it too. A second run of degree
// changes shows that loading a degree leaves nothing behind.

namespace {

// The process's resident memory in KiB, from /proc/self/status.
qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // The file reports a size of 0: read it whole rather than to its "end".
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool sanitized()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void wholeSession();
    void degreeChangesKeepMemoryFlat();

private:
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return findControl<T>(form, name);
    }
    QPoint at(const QWidget *w, QPoint p) const { return w->mapTo(form, p); }
    QPoint picture(QPoint p) const { return at(child("Image1"), p); }
    void click(QPoint windowPos, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseMove(form->windowHandle(), windowPos);
        QTest::mouseClick(form->windowHandle(), b, {}, windowPos);
    }
    void move(QPoint windowPos) { QTest::mouseMove(form->windowHandle(), windowPos); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(form->windowHandle(), k, m);
    }
    void showPage(int index)
    {
        QTabBar *tabs = child<QTabWidget>("PageControl1")->tabBar();
        click(at(tabs, tabs->tabRect(index).center()));
    }
    void clickItem(int index)
    {
        QRadioButton *item = child<RadioGroup>("Stepeny")->itemButton(index);
        click(at(item, item->rect().center()));
    }

    TForm1 *form = nullptr;
};

void TestSession::wholeSession()
{
    // Made and shown as main() does; BitBtn1 ends the event loop.
    auto owned = std::make_unique<TForm1>();
    form = owned.get();
    form->showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(form));

    // Hovers: every person from a few reference persons, with any button.
    const Qt::MouseButton buttons[] = { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton };
    for (int from : { 1, 3, 12, 17, 22 }) {
        click(picture(PersonBoxes::box(from).center()), buttons[from % 3]);
        QCOMPARE(form->relations().FromPerson(), from);
        for (int to = 1; to <= PersonBoxes::Count; ++to) {
            move(picture(PersonBoxes::box(to).center() + QPoint(1, 1)));
            QCOMPARE(form->relations().ToPerson(), to);
        }
    }
    // A left drag out of the picture and back.
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, picture({ 30, 40 }));
    move(picture({ -12, 40 }));
    move(picture({ 600, 500 }));
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, picture({ 600, 500 }));
    QCOMPARE(child<StatusPanels>("StatusBar1")->panelText(0), "600  500");

    // Every degree, by clicks and by the arrow keys.
    auto *stepeny = child<RadioGroup>("Stepeny");
    for (int n : { 1, 2, 3, 4, 5, 6, 7, 0 }) {
        clickItem(n);
        QCOMPARE(stepeny->itemIndex(), n);
    }
    for (int n = 1; n <= Degrees::Count; ++n) {
        key(Qt::Key_Down);
        QCOMPARE(stepeny->itemIndex(), n % Degrees::Count);
    }
    QVERIFY(!child<QPlainTextEdit>("StepMemo")->toPlainText().isEmpty());

    // The grid: a block copied, cut and pasted back.
    showPage(2);
    auto *grid = child<KinshipGrid>("RodGrid");
    const auto cell = [&](int row, int column) {
        return at(grid->viewport(), grid->cellRect(row, column).center());
    };
    const QString before = form->table().BlockText({ 2, 2, 4, 5 });
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, cell(2, 2));
    move(cell(3, 4));
    move(cell(4, 5));
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, cell(4, 5));
    QCOMPARE(grid->selectedBlock(), TableBlock({ 2, 2, 4, 5 }));
    key(Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), before);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    QVERIFY(form->table().term(3, 3).isEmpty());
    key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(form->table().BlockText({ 2, 2, 4, 5 }), before);
    QGuiApplication::clipboard()->setText(QStringLiteral("сват\tсваха\r\nдед"));
    key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(form->table().term(2, 3), "сваха");
    key(Qt::Key_End, Qt::ShiftModifier);
    key(Qt::Key_Insert, Qt::ControlModifier);

    // Every page, then back to the tree, where the pasted terms show.
    for (int page : { 1, 3, 2, 0 })
        showPage(page);
    click(picture(PersonBoxes::box(2).center()));
    move(picture(PersonBoxes::box(3).center()));
    QCOMPARE(child<QLabel>("NameFrom")->text(), "сваха");

    // The exit button ends the event loop, as it ends the program.
    QWidget *exitButton = child("BitBtn1");
    const QPoint exitAt = at(exitButton, exitButton->rect().center());
    bool exited = false;
    QTimer::singleShot(0, form, [&] {
        click(exitAt);
        exited = !form->isVisible();
    });
    QTimer hang; // a bound against a hang only
    hang.setSingleShot(true);
    connect(&hang, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    hang.start(30000);
    const int code = QCoreApplication::exec();
    hang.stop();
    QCOMPARE(code, 0);
    QVERIFY(exited);
    owned.reset();
    form = nullptr;
}

void TestSession::degreeChangesKeepMemoryFlat()
{
    if (sanitized())
        QSKIP(
            "AddressSanitizer keeps freed memory in quarantine; its leak check covers this build");
    auto owned = std::make_unique<TForm1>();
    form = owned.get();
    form->showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(form));

    // The focus on the selector's chosen item: each Down loads the next degree.
    auto *stepeny = child<RadioGroup>("Stepeny");
    clickItem(0);
    QCOMPARE(QApplication::focusWidget(), stepeny->itemButton(0));
    const auto changeDegrees = [&](int count) {
        for (int i = 0; i < count; ++i)
            key(Qt::Key_Down);
    };
    changeDegrees(50);
    const qint64 warm = residentKiB();
    QVERIFY(warm > 0);
    const int loadsBefore = stepeny->itemIndex();
    changeDegrees(400);
    QCOMPARE(stepeny->itemIndex(), (loadsBefore + 400) % Degrees::Count);
    const qint64 after = residentKiB();
    qInfo("resident memory: %lld KiB after 50 degree changes, %lld KiB after 400 more (%+lld KiB)",
        warm, after, after - warm);
    // One degree's picture alone is 549 x 415 x 4 bytes, about 890 KiB; 400
    // loads that each kept it would add some 350 MiB.
    QVERIFY2(
        after - warm < 4 * 1024, qPrintable(QStringLiteral("grew by %1 KiB").arg(after - warm)));
    owned.reset();
    form = nullptr;
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_session.moc"
