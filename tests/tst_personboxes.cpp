#include "personboxes.h"

#include <QTest>

class TestPersonBoxes : public QObject
{
    Q_OBJECT

private slots:
    void hitTest_data();
    void hitTest();
    void boxesAreDisjointAndInsideThePicture();
    void markerSitsOnTheBoxLastRow();
};

void TestPersonBoxes::hitTest_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("person");
    QTest::newRow("person 1 top-left") << 210 << 10 << 1;
    QTest::newRow("person 1 bottom-right") << 260 << 85 << 1;
    QTest::newRow("right of person 1") << 261 << 85 << 0;
    QTest::newRow("below person 1") << 210 << 86 << 0;
    QTest::newRow("person 21 top-left") << 5 << 10 << 21;
    QTest::newRow("left of person 21") << 4 << 10 << 0;
    QTest::newRow("person 20 bottom-right") << 530 << 405 << 20;
    QTest::newRow("right of person 20") << 531 << 405 << 0;
    QTest::newRow("gap on the second row, 171") << 171 << 150 << 0;
    QTest::newRow("gap on the second row, 189") << 189 << 150 << 0;
    QTest::newRow("person 5 starts at 120") << 120 << 108 << 5;
    QTest::newRow("person 3 at 190") << 190 << 150 << 3;
    QTest::newRow("picture top-left") << 0 << 0 << 0;
    QTest::newRow("negative") << -12 << 40 << 0;
    QTest::newRow("far outside") << 100000 << -100000 << 0;
}

void TestPersonBoxes::hitTest()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, person);
    QCOMPARE(PersonBoxes::hitTest(x, y), person);
}

void TestPersonBoxes::boxesAreDisjointAndInsideThePicture()
{
    QRect all;
    for (int a = 1; a <= PersonBoxes::Count; ++a) {
        const QRect box = PersonBoxes::box(a);
        QCOMPARE(box.size(), QSize(51, 76));
        all |= box;
        for (int b = a + 1; b <= PersonBoxes::Count; ++b)
            QVERIFY2(!box.adjusted(-1, -1, 1, 1).intersects(PersonBoxes::box(b)),
                     qPrintable(QStringLiteral("%1 touches %2").arg(a).arg(b)));
        // Every pixel of the box hits its own person.
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                QCOMPARE(PersonBoxes::hitTest(x, y), a);
    }
    QCOMPARE(all, QRect(QPoint(5, 10), QPoint(530, 405)));
}

void TestPersonBoxes::markerSitsOnTheBoxLastRow()
{
    QCOMPARE(PersonBoxes::markerPos(3), QPoint(190, 185));
    QCOMPARE(PersonBoxes::markerPos(8), QPoint(190, 293));
    QCOMPARE(PersonBoxes::markerPos(1), QPoint(210, 85));
    QCOMPARE(PersonBoxes::markerPos(2), QPoint(280, 85));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, PersonBoxes::markerPos(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, PersonBoxes::markerPos(23));
}

QTEST_APPLESS_MAIN(TestPersonBoxes)
#include "tst_personboxes.moc"
