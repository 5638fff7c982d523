#include "personboxes.h"
#include "relations.h"

#include <QTest>

// A scenario is a list of steps: "d3" presses
// the left button on person 3's head, "r3" the right button, "m8" moves onto
// person 8, "m@x,y" moves to a picture position, "d@x,y" presses there.
static void play(Relations &rules, const QString &steps)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        QPoint p;
        if (step[1] == u'@') {
            const QStringList xy = step.mid(2).split(u',');
            p = QPoint(xy[0].toInt(), xy[1].toInt());
        } else {
            p = PersonBoxes::box(step.mid(1).toInt()).center();
        }
        switch (step[0].unicode()) {
        case u'd': rules.Image1MouseDown(Qt::LeftButton, {}, p.x(), p.y()); break;
        case u'r': rules.Image1MouseDown(Qt::RightButton, {}, p.x(), p.y()); break;
        case u'm': rules.Image1MouseMove({}, p.x(), p.y()); break;
        default: QFAIL("unknown step");
        }
    }
}

class TestRelations : public QObject
{
    Q_OBJECT

private slots:
    void startState();
    void scenarios_data();
    void scenarios();
    void panelZeroFollowsEveryMove_data();
    void panelZeroFollowsEveryMove();
    void activationResetsOnlyTheNumbers();
    void changedTermsShowAtTheNextMove();
    void affinityWithoutTermShowsWhenATermIsPasted();
};

void TestRelations::startState()
{
    const KinshipTable table = KinshipTable::initial();
    Relations rules(table);
    rules.FormActivate();
    QCOMPARE(rules.FromPerson(), 1);
    QCOMPARE(rules.ToPerson(), 2);
    const RelationsDisplay &d = rules.display();
    QCOMPARE(d.kursorFrom, PersonBoxes::markerPos(1));
    QCOMPARE(d.kursorTo, PersonBoxes::markerPos(2));
    QCOMPARE(d.kursorToColor, Relations::Marriage);
    QCOMPARE(d.shape2Color, Relations::Marriage);
    QCOMPARE(d.nameFrom, "муж");
    QCOMPARE(d.nameTo, "жена");
    QCOMPARE(d.panels, (std::array<QString, 3> {}));
}

void TestRelations::scenarios_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("nameFrom");
    QTest::addColumn<QString>("nameTo");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("panel1");
    QTest::addColumn<QString>("panel2");

    const QColor red = Relations::Blood, blue = Relations::Marriage, white = Relations::NoTerm;
    QTest::newRow("start, onto person 1: same person")
        << "m1" << 1 << 1 << "Я" << "" << white << "" << "1";
    QTest::newRow("3 -> 8") << "d3 m8" << 3 << 8 << "отец" << "дочь" << red << "3" << "8";
    QTest::newRow("3 -> 5") << "d3 m5" << 3 << 5 << "муж" << "жена" << blue << "3" << "5";
    QTest::newRow("1 -> 13, no term")
        << "d1 m13" << 1 << 13 << "" << "нет определения" << white << "1" << "13";
    QTest::newRow("3: 8 then 21, blue at once")
        << "d3 m8 m21" << 3 << 21 << "зять" << "тесть" << blue << "3" << "21";
    QTest::newRow("right button sets the reference")
        << "r3 m8" << 3 << 8 << "отец" << "дочь" << red << "3" << "8";
    QTest::newRow("same person after a click")
        << "d5 m5" << 5 << 5 << "Я" << "" << white << "5" << "5";
    QTest::newRow("press on a gap changes nothing")
        << "d3 d@180,150 m8" << 3 << 8 << "отец" << "дочь" << red << "3" << "8";
    QTest::newRow("move onto a gap keeps the last person")
        << "d3 m8 m@180,150" << 3 << 8 << "отец" << "дочь" << red << "3" << "8";
    QTest::newRow("press does not move the hovered person")
        << "m8 d3" << 3 << 8 << "дед" << "внучка" << red << "3" << "8";
    QTest::newRow("last box row hovers") << "d3 m@190,293" << 3 << 8 << "отец" << "дочь" << red
                                         << "3" << "8";
    QTest::newRow("22 -> 1, three words")
        << "d22 m1" << 22 << 1 << "сватья или сваха" << "сват" << blue << "22" << "1";
}

void TestRelations::scenarios()
{
    QFETCH(QString, steps);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, nameFrom);
    QFETCH(QString, nameTo);
    QFETCH(QColor, colour);
    QFETCH(QString, panel1);
    QFETCH(QString, panel2);

    const KinshipTable table = KinshipTable::initial();
    Relations rules(table);
    rules.FormActivate();
    play(rules, steps);
    const RelationsDisplay &d = rules.display();
    QCOMPARE(rules.FromPerson(), from);
    QCOMPARE(rules.ToPerson(), to);
    QCOMPARE(d.kursorFrom, PersonBoxes::markerPos(from));
    QCOMPARE(d.kursorTo, PersonBoxes::markerPos(to));
    QCOMPARE(d.nameFrom, nameFrom);
    QCOMPARE(d.nameTo, nameTo);
    QCOMPARE(d.kursorToColor, colour);
    QCOMPARE(d.shape2Color, colour);
    QCOMPARE(d.panels[1], panel1);
    QCOMPARE(d.panels[2], panel2);
}

void TestRelations::panelZeroFollowsEveryMove_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("panel0");
    QTest::newRow("top-left pixel") << QPoint(0, 0) << "0  0";
    QTest::newRow("negative x in a drag") << QPoint(-12, 40) << "-12  40";
    QTest::newRow("beyond the picture") << QPoint(900, 600) << "900  600";
    QTest::newRow("over a person") << QPoint(215, 20) << "215  20";
}

void TestRelations::panelZeroFollowsEveryMove()
{
    QFETCH(QPoint, pos);
    QFETCH(QString, panel0);
    const KinshipTable table = KinshipTable::initial();
    Relations rules(table);
    rules.FormActivate();
    rules.Image1MouseMove({}, pos.x(), pos.y());
    QCOMPARE(rules.display().panels[0], panel0);
    QCOMPARE(rules.lastMoveHitPerson(), PersonBoxes::hitTest(pos) != 0);
    // A press writes nothing into panel 0.
    rules.Image1MouseDown(Qt::LeftButton, {}, 5, 10);
    QCOMPARE(rules.display().panels[0], panel0);
}

void TestRelations::activationResetsOnlyTheNumbers()
{
    const KinshipTable table = KinshipTable::initial();
    Relations rules(table);
    play(rules, "d3 m8");
    const RelationsDisplay before = rules.display();
    rules.FormActivate();
    QCOMPARE(rules.FromPerson(), 1);
    QCOMPARE(rules.ToPerson(), 2);
    QVERIFY(rules.display() == before);
}

void TestRelations::changedTermsShowAtTheNextMove()
{
    KinshipTable table = KinshipTable::initial();
    Relations rules(table);
    rules.FormActivate();
    play(rules, "d3 m8");
    table.ClearBlock({ 3, 8, 3, 8 });
    QCOMPARE(rules.display().nameFrom, "отец"); // nothing until the next move
    play(rules, "m8");
    QCOMPARE(rules.display().nameFrom, "");
    QCOMPARE(rules.display().nameTo, "нет определения");
    QCOMPARE(rules.display().kursorToColor, Relations::NoTerm);
    QCOMPARE(rules.display().shape2Color, Relations::NoTerm);
}

void TestRelations::affinityWithoutTermShowsWhenATermIsPasted()
{
    KinshipTable table = KinshipTable::initial();
    Relations rules(table);
    rules.FormActivate();
    table.PasteText({ 17, 17, 17, 17 }, u"сам");
    play(rules, "d17 m17");
    QCOMPARE(rules.display().nameFrom, "сам");
    QCOMPARE(rules.display().nameTo, "сам");
    QCOMPARE(rules.display().kursorToColor, Relations::Marriage);
    QCOMPARE(rules.display().shape2Color, Relations::Marriage);
}

QTEST_APPLESS_MAIN(TestRelations)
#include "tst_relations.moc"
