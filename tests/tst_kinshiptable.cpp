#include "kinshiptable.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

using Cells = QList<QPair<QPair<int, int>, QString>>; // ((row, column), term)
Q_DECLARE_METATYPE(TableBlock)

class TestKinshipTable : public QObject
{
    Q_OBJECT

private slots:
    void initialInvariants();
    void spotChecks_data();
    void spotChecks();
    void blockText_data();
    void blockText();
    void pasteText_data();
    void pasteText();
    void pasteOnlyTouchesTheBlock();
    void copyCutPasteRoundTrip();
    void largeRandomInputStaysInTheBlock();
    void hugeTextIsReadOnlyAsFarAsTheBlock();
    void invalidBlocksAreRefused();
    void malformedDataIsRefused();

private:
    static QString termsAndFlags(const KinshipTable &table);
};

QString TestKinshipTable::termsAndFlags(const KinshipTable &table)
{
    QString s;
    for (int r = 1; r <= KinshipTable::Size; ++r)
        for (int c = 1; c <= KinshipTable::Size; ++c)
            s += table.term(r, c) + (table.IsAffinity(r, c) ? QStringLiteral("|1\n") : QStringLiteral("|0\n"));
    return s;
}

void TestKinshipTable::initialInvariants()
{
    const KinshipTable t = KinshipTable::initial();
    int terms = 0, flagged = 0;
    for (int r = 1; r <= 22; ++r) {
        QVERIFY(t.term(r, r).isEmpty());
        for (int c = 1; c <= 22; ++c) {
            QCOMPARE(t.term(r, c).isEmpty(), t.term(c, r).isEmpty());
            QCOMPARE(t.IsAffinity(r, c), t.IsAffinity(c, r));
            if (!t.term(r, c).isEmpty()) {
                ++terms;
                flagged += t.IsAffinity(r, c);
            }
        }
    }
    QCOMPARE(terms, 256);
    QCOMPARE(flagged, 82);
    // The one flag without a term.
    QVERIFY(t.IsAffinity(17, 17));
    QVERIFY(t.term(17, 17).isEmpty());
}

void TestKinshipTable::spotChecks_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("c");
    QTest::addColumn<QString>("term");
    QTest::addColumn<bool>("affinity");
    QTest::newRow("1 husband of 2") << 1 << 2 << "муж" << true;
    QTest::newRow("2 wife of 1") << 2 << 1 << "жена" << true;
    QTest::newRow("3 father of 8") << 3 << 8 << "отец" << false;
    QTest::newRow("8 daughter of 3") << 8 << 3 << "дочь" << false;
    QTest::newRow("1 and 13") << 1 << 13 << "" << false;
    QTest::newRow("13 and 1") << 13 << 1 << "" << false;
    QTest::newRow("blank and parentheses") << 20 << 18 << "невестка (сношенница)" << true;
    QTest::newRow("three words") << 22 << 1 << "сватья или сваха" << true;
    QTest::newRow("with ё") << 1 << 5 << "свёкр" << true;
    QTest::newRow("without ё") << 9 << 18 << "свекр" << true;
    QTest::newRow("trailing blank, 14") << 10 << 14 << "двоюродный дядя " << false;
    QTest::newRow("trailing blank, 16") << 10 << 16 << "двоюродный дядя " << false;
    QTest::newRow("no trailing blank elsewhere") << 12 << 15 << "двоюродный дядя" << false;
    QTest::newRow("тёща") << 22 << 3 << "тёща" << true;
    QTest::newRow("3 son-in-law of 21") << 3 << 21 << "зять" << true;
    QTest::newRow("21 father-in-law of 3") << 21 << 3 << "тесть" << true;
    QTest::newRow("last cell") << 22 << 21 << "жена" << true;
}

void TestKinshipTable::spotChecks()
{
    QFETCH(int, r);
    QFETCH(int, c);
    QFETCH(QString, term);
    QFETCH(bool, affinity);
    const KinshipTable t = KinshipTable::initial();
    QCOMPARE(t.term(r, c), term);
    QCOMPARE(t.IsAffinity(r, c), affinity);
}

void TestKinshipTable::blockText_data()
{
    QTest::addColumn<TableBlock>("block");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty cell") << TableBlock { 1, 1, 1, 1 } << "\t\r\n";
    QTest::newRow("one cell") << TableBlock { 1, 2, 1, 2 } << "муж\t\r\n";
    QTest::newRow("two by two")
        << TableBlock { 1, 1, 2, 2 } << "\tмуж\t\r\nжена\t\t\r\n";
    QTest::newRow("a column") << TableBlock { 20, 18, 21, 18 } << "невестка (сношенница)\t\r\n\t\r\n";
}

void TestKinshipTable::blockText()
{
    QFETCH(TableBlock, block);
    QFETCH(QString, text);
    QCOMPARE(KinshipTable::initial().BlockText(block), text);
}

void TestKinshipTable::pasteText_data()
{
    // The block is rows 5..6, columns 8..9 of a table whose four cells start
    // as "a", "b" / "c", "d".
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("after"); // (5,8) (5,9) (6,8) (6,9)
    const QString nul(QChar(0));
    QTest::newRow("empty text") << "" << QStringList { "a", "b", "c", "d" };
    QTest::newRow("one field") << "x" << QStringList { "x", "b", "c", "d" };
    QTest::newRow("field beyond the block dropped")
        << "x\ty\tz" << QStringList { "x", "y", "c", "d" };
    QTest::newRow("CR LF") << "x\r\ny" << QStringList { "x", "b", "y", "d" };
    QTest::newRow("lone LF") << "x\ny" << QStringList { "x", "b", "y", "d" };
    QTest::newRow("lone CR") << "x\ry" << QStringList { "x", "b", "y", "d" };
    QTest::newRow("LF CR is two breaks") << "x\n\ry" << QStringList { "x", "b", "c", "d" };
    QTest::newRow("lines beyond the block dropped")
        << "x\r\ny\r\nz" << QStringList { "x", "b", "y", "d" };
    QTest::newRow("empty line keeps its row") << "\r\ny" << QStringList { "a", "b", "y", "d" };
    QTest::newRow("one TAB empties the first cell") << "\t" << QStringList { "", "b", "c", "d" };
    QTest::newRow("two TABs empty two cells") << "\t\t" << QStringList { "", "", "c", "d" };
    QTest::newRow("empty middle field") << "\ty" << QStringList { "", "y", "c", "d" };
    QTest::newRow("trailing TAB adds no field") << "x\t" << QStringList { "x", "b", "c", "d" };
    QTest::newRow("final break adds no line") << "x\r\n" << QStringList { "x", "b", "c", "d" };
    QTest::newRow("NUL ends the text") << "x" + nul + "\r\ny" << QStringList { "x", "b", "c", "d" };
    QTest::newRow("NUL first") << nul + "x" << QStringList { "a", "b", "c", "d" };
    QTest::newRow("blanks kept") << " x \t y " << QStringList { " x ", " y ", "c", "d" };
    QTest::newRow("copied block") << "p\tq\t\r\nr\ts\t\r\n" << QStringList { "p", "q", "r", "s" };
}

void TestKinshipTable::pasteText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, after);
    KinshipTable t;
    const TableBlock block { 5, 8, 6, 9 };
    t.PasteText(block, u"a\tb\r\nc\td");
    QCOMPARE(QStringList({ t.term(5, 8), t.term(5, 9), t.term(6, 8), t.term(6, 9) }),
             QStringList({ "a", "b", "c", "d" }));
    t.PasteText(block, text);
    QCOMPARE(QStringList({ t.term(5, 8), t.term(5, 9), t.term(6, 8), t.term(6, 9) }), after);
}

void TestKinshipTable::pasteOnlyTouchesTheBlock()
{
    KinshipTable t = KinshipTable::initial();
    const KinshipTable before = t;
    // The spot check of a one-cell block: "b" is dropped.
    t.PasteText({ 5, 8, 5, 8 }, u"a\tb");
    QCOMPARE(t.term(5, 8), "a");
    QCOMPARE(t.term(5, 9), before.term(5, 9));
    for (int r = 1; r <= 22; ++r)
        for (int c = 1; c <= 22; ++c) {
            QCOMPARE(t.IsAffinity(r, c), before.IsAffinity(r, c));
            if (r != 5 || c != 8)
                QCOMPARE(t.term(r, c), before.term(r, c));
        }
}

void TestKinshipTable::copyCutPasteRoundTrip()
{
    const KinshipTable original = KinshipTable::initial();
    for (const TableBlock block : { TableBlock { 1, 1, 22, 22 }, TableBlock { 3, 5, 9, 17 },
                                    TableBlock { 10, 14, 10, 16 }, TableBlock { 17, 17, 17, 17 } }) {
        KinshipTable t = original;
        const QString copied = t.BlockText(block);
        t.ClearBlock(block);
        for (int r = block.r1; r <= block.r2; ++r)
            for (int c = block.c1; c <= block.c2; ++c)
                QVERIFY(t.term(r, c).isEmpty());
        t.PasteText(block, copied);
        QCOMPARE(termsAndFlags(t), termsAndFlags(original));
    }
}

void TestKinshipTable::largeRandomInputStaysInTheBlock()
{
    auto *random = QRandomGenerator::global();
    const quint32 seed = random->generate();
    QRandomGenerator gen(seed);
    const KinshipTable original = KinshipTable::initial();
    for (int round = 0; round < 200; ++round) {
        KinshipTable t = original;
        TableBlock b;
        b.r1 = gen.bounded(1, 23);
        b.r2 = gen.bounded(b.r1, 23);
        b.c1 = gen.bounded(1, 23);
        b.c2 = gen.bounded(b.c1, 23);
        // Mostly separators, so that many lines and fields are formed.
        QString text(gen.bounded(0, 4000), Qt::Uninitialized);
        static const char16_t pool[] = { u'\t', u'\r', u'\n', u'\0', u'x', u'я', 0xD800, 0xFFFF };
        for (QChar &ch : text)
            ch = gen.bounded(3) ? QChar(pool[gen.bounded(int(std::size(pool)))])
                                : QChar(char16_t(gen.bounded(0x10000)));
        t.PasteText(b, text);
        for (int r = 1; r <= 22; ++r)
            for (int c = 1; c <= 22; ++c) {
                QVERIFY2(t.IsAffinity(r, c) == original.IsAffinity(r, c),
                         qPrintable(QString::number(seed)));
                if (!b.contains(r, c))
                    QVERIFY2(t.term(r, c) == original.term(r, c), qPrintable(QString::number(seed)));
                QVERIFY(!t.term(r, c).contains(u'\t') && !t.term(r, c).contains(u'\r')
                        && !t.term(r, c).contains(u'\n') && !t.term(r, c).contains(QChar(0)));
            }
    }
}

void TestKinshipTable::hugeTextIsReadOnlyAsFarAsTheBlock()
{
    // 32 million characters in a few long lines, and the same in short ones.
    const QString longLines = QString(8'000'000, u'x') + u'\t' + QString(8'000'000, u'y') + QStringLiteral("\r\n")
        + QString(16'000'000, u'z');
    QString shortLines;
    shortLines.reserve(32'000'000);
    while (shortLines.size() < 32'000'000)
        shortLines += QStringLiteral("ab\tcd\n");

    KinshipTable t = KinshipTable::initial();
    QElapsedTimer timer;
    timer.start();
    t.PasteText({ 1, 1, 22, 22 }, longLines);
    QCOMPARE(t.term(1, 1).size(), 8'000'000);
    QCOMPARE(t.term(1, 2).size(), 8'000'000);
    QCOMPARE(t.term(2, 1).size(), 16'000'000);
    t.PasteText({ 1, 1, 22, 22 }, shortLines);
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(t.term(1, 1), "ab");
    QCOMPARE(t.term(22, 2), "cd");
    QCOMPARE(t.term(22, 3), "тёща"); // no third field reached it
    QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
}

void TestKinshipTable::invalidBlocksAreRefused()
{
    KinshipTable t = KinshipTable::initial();
    for (const TableBlock b : { TableBlock { 0, 1, 1, 1 }, TableBlock { 1, 1, 23, 1 },
                                TableBlock { 2, 1, 1, 1 }, TableBlock { 1, 3, 1, 2 } }) {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.BlockText(b));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.ClearBlock(b));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.PasteText(b, u"x"));
    }
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.term(0, 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.IsAffinity(1, 23));
}

void TestKinshipTable::malformedDataIsRefused()
{
    for (const QByteArray &data : { QByteArray("1\t2\t1"), QByteArray("0\t2\t1\tx"),
                                   QByteArray("1\t23\t0\tx"), QByteArray("1\t2\t2\tx"),
                                   QByteArray("a\t2\t0\tx") })
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, KinshipTable::fromData(data));
    const KinshipTable t = KinshipTable::fromData("3\t4\t1\t\xE1\xF0\xE0\xF2 \r\n");
    QCOMPARE(t.term(3, 4), "брат ");
    QVERIFY(t.IsAffinity(3, 4));
}

QTEST_APPLESS_MAIN(TestKinshipTable)
#include "tst_kinshiptable.moc"
