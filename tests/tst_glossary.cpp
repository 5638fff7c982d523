#include "fontsubstitutes.h"
#include "termspage.h"

#include <QFile>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringEncoder>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

// Lines of the glossary are numbered from 1, as a reader counts them.
namespace {

struct Block {
    int first;
    QStringList headwords; // one entry per item, its headwords joined by "|"
};

// The entries, block by block, with their headwords in reading order.
const QList<Block> &entryBlocks()
{
    static const QList<Block> blocks = {
        { 20,
            { "Бабка|бабушка", "Брат", "Братан|братаник|братеня|братеник|брательник", "Братанна",
                "Брательница", "Братыч", "Внук", "Внучка|внука", "Дед", "Дедина|дедка", "Дедич",
                "Дочь", "Дщерич", "Дщерша", "Дядя", "Мать", "Отец", "Отценачальник",
                "Отчинник|отчич", "Племянник", "Племянница", "Племяш", "Прародители", "Пращур",
                "Родоначальник", "Сестра", "Сестренница", "Сестренка|сестрина|сестричка",
                "Сестренич|сестрич", "Сын", "Тетка|тетя" } },
        { 53,
            { "Великий дядя", "Великая тетка", "Внучатный|внучатый", "Двоюродный", "Кровный",
                "Малый дядя", "Малая тетка", "Однородный", "Одноутробный", "Полнородный", "Пра",
                "Привенчанный", "Родной", "Сводный", "Троюродный" } },
        { 73,
            { "Братаниха", "Братова", "Вдова", "Вдовец", "Деверь", "Жена", "Жених",
                "Золовица|золовка|золова", "Зять", "Муж", "Невестка", "Сват|сватья", "Свекор",
                "Свекровь", "Свойственник", "Свояки", "Свояки двоюродные", "Сноха|сыноха",
                "Сношенница", "Супруг", "Супруга", "Тесть", "Теща", "Шурин" } },
        { 104,
            { "Брат крестный", "Брат крестовый|брат по кресту|брат названный", "Дед крестный",
                "Дочь названная", "Дядька", "Кум|кума", "Мать крестная|мать крестовая",
                "Мать названная", "Мать молочная", "Мать посаженная", "Мачеха", "Отец крестный",
                "Отец названый", "Отец прибеседный|отец посаженый|отец ряженый", "Отчим",
                "Падчерица", "Пасынок", "Сводные", "Сын крестный (крестник)", "Сын названый",
                "Усыновленный", "Удочеренная" } },
    };
    return blocks;
}

// Lines whose text is fixed; "" is an empty separator line.
const QMap<int, QString> &fixedLineTable()
{
    static const QMap<int, QString> lines = {
        { 6, "" },
        { 7, "Различают три группы терминов:" },
        { 8, "" },
        { 9, "родства (отношения по крови), " },
        { 10, "свойства (по бракам), " },
        { 11, "близких (духовных) неродственных связей. " },
        { 12, "" },
        { 13, "а) Термины родства." },
        { 14, "" },
        { 17, "" },
        { 18, "Ключевые слова:" },
        { 19, "" },
        { 51, "Определение степеней родства:" },
        { 52, "" },
        { 68, "" },
        { 69, "" },
        { 70, "" },
        { 71, "б) Термины свойства:" },
        { 72, "" },
        { 97, "" },
        { 98, "в) Термины неродственных отношений " },
        { 99, "" },
        { 103, "" },
    };
    return lines;
}

// The lines of free prose: the introduction and the two short explanations.
const QList<int> proseLines = { 1, 2, 3, 4, 5, 15, 16, 100, 101, 102 };

QByteArray rawGlossary()
{
    QFile file(QStringLiteral(":/text/glossary.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray toWindows1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder(text);
    return encoder.hasError() ? QByteArray() : bytes;
}

} // namespace

class TestGlossary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileIsWindows1251WithCrLfBetweenLines();
    void memoShowsTheFileLineByLine();
    void everyLineHasItsPlace();
    void fixedLines_data();
    void fixedLines();
    void entries_data();
    void entries();
    void entriesGivenInFull_data();
    void entriesGivenInFull();
    void decodeText_data();
    void decodeText();
    void decodeTextTakesAnyBytes();

    void memoGeometryIsFixed_data();
    void memoGeometryIsFixed();
    void memoFont();
    void memoScrollsVerticallyOnlyAndWraps();
    void memoOpensAtTheTop();
    void memoIsEditableAndKeepsTypedText();

private:
    QString line(int number) const;

    QStringList lines; // the memo's lines, index 0 is line 1
    TermsPage *page = nullptr;
};

void TestGlossary::initTestCase()
{
    installFontSubstitutes();
    TermsPage probe;
    for (QTextBlock b = probe.memo()->document()->begin(); b.isValid(); b = b.next())
        lines << b.text();
}

void TestGlossary::init()
{
    page = new TermsPage;
    page->resize(775, 477);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
}

void TestGlossary::cleanup()
{
    delete page;
    page = nullptr;
}

QString TestGlossary::line(int number) const
{
    return number >= 1 && number <= lines.size() ? lines.at(number - 1) : QString();
}

void TestGlossary::fileIsWindows1251WithCrLfBetweenLines()
{
    const QByteArray raw = rawGlossary();
    QVERIFY(!raw.isEmpty());
    QVERIFY2(!raw.startsWith("\xEF\xBB\xBF"), "no UTF-8 byte order mark");
    QVERIFY(!raw.contains('\0'));

    // Every CR is followed by LF and every LF preceded by CR.
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r')
            QVERIFY2(i + 1 < raw.size() && raw[i + 1] == '\n', qPrintable(QString::number(i)));
        if (raw[i] == '\n')
            QVERIFY2(i > 0 && raw[i - 1] == '\r', qPrintable(QString::number(i)));
    }
    // 125 lines: 124 separators and no break after the last line.
    QCOMPARE(raw.count("\r\n"), 124);
    QVERIFY(!raw.endsWith("\r\n"));

    // The bytes are Windows-1251: Cyrillic letters are single bytes, and
    // decoding and encoding again gives the same bytes.
    const QByteArray uncle = "\xC4\xFF\xE4\xFF - "; // "Дядя - "
    QVERIFY(raw.contains(uncle));
    QStringDecoder decoder("windows-1251");
    const QString text = decoder(raw);
    QVERIFY(!decoder.hasError());
    QCOMPARE(toWindows1251(text), raw);
}

void TestGlossary::memoShowsTheFileLineByLine()
{
    const QList<QByteArray> rawLines = rawGlossary().split('\n');
    QCOMPARE(lines.size(), 125);
    QCOMPARE(rawLines.size(), 125);
    for (int i = 0; i < 125; ++i) {
        QByteArray raw = rawLines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        QCOMPARE(toWindows1251(lines.at(i)), raw);
    }
    QCOMPARE(page->memo()->toPlainText(), lines.join(u'\n'));
}

void TestGlossary::everyLineHasItsPlace()
{
    // Each of the 125 lines is exactly one of: fixed text, prose or an entry,
    // and the entries fill their blocks without gaps.
    QMap<int, QString> role;
    for (auto it = fixedLineTable().cbegin(); it != fixedLineTable().cend(); ++it)
        role[it.key()] = QStringLiteral("fixed");
    for (int n : proseLines) {
        QVERIFY2(!role.contains(n), qPrintable(QString::number(n)));
        role[n] = QStringLiteral("prose");
    }
    int entries = 0;
    for (const Block &block : entryBlocks()) {
        for (int i = 0; i < block.headwords.size(); ++i) {
            QVERIFY2(!role.contains(block.first + i), qPrintable(QString::number(block.first + i)));
            role[block.first + i] = QStringLiteral("entry");
            ++entries;
        }
    }
    QCOMPARE(entries, 92);
    QCOMPARE(role.size(), 125);
    QCOMPARE(role.firstKey(), 1);
    QCOMPARE(role.lastKey(), 125);

    // Prose is real text on one line, not an entry in disguise.
    for (int n : proseLines) {
        const QString text = line(n);
        QVERIFY2(text.trimmed().size() > 10, qPrintable(QString::number(n)));
        QVERIFY2(!text.contains(QStringLiteral(" - ")), qPrintable(text));
    }
    // Line 51 follows line 50 directly.
    QVERIFY(line(50).startsWith(QStringLiteral("Тетка, тетя - ")));
    QCOMPARE(line(51), QStringLiteral("Определение степеней родства:"));
}

void TestGlossary::fixedLines_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    for (auto it = fixedLineTable().cbegin(); it != fixedLineTable().cend(); ++it)
        QTest::addRow("line %d", it.key()) << it.key() << it.value();
}

void TestGlossary::fixedLines()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(line(number), text);
}

void TestGlossary::entries_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("headwords");
    for (const Block &block : entryBlocks())
        for (int i = 0; i < block.headwords.size(); ++i)
            QTest::addRow("line %d %s", block.first + i, qPrintable(block.headwords.at(i)))
                << block.first + i << block.headwords.at(i).split(u'|');
}

void TestGlossary::entries()
{
    QFETCH(int, number);
    QFETCH(QStringList, headwords);
    const QString text = line(number);

    // headword(s) " - " definition ". ", with " - " exactly once.
    static const QRegularExpression shape(QStringLiteral("^(\\S[^\\n]*?) - (\\S[^\\n]*\\S)\\. $"));
    const QRegularExpressionMatch m = shape.match(text);
    QVERIFY2(m.hasMatch(), qPrintable(text));
    QCOMPARE(text.count(QStringLiteral(" - ")), 1);
    QCOMPARE(m.captured(1).split(QStringLiteral(", ")), headwords);

    const QString definition = m.captured(2);
    QVERIFY2(definition.size() >= 4, qPrintable(text));
    QVERIFY2(!definition.contains(QStringLiteral("  ")), qPrintable(text));
    QVERIFY2(!definition.endsWith(u'.'), "one full stop at the end");
    QVERIFY2(!text.contains(u'\t'), qPrintable(text));
}

void TestGlossary::entriesGivenInFull_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("Дядя") << 34 << QStringLiteral("Дядя - брат отца или матери. ");
    QTest::newRow("Двоюродный") << 56
                                << QStringLiteral(
                                       "Двоюродный - о родстве, происходящем из второго колена. ");
    QTest::newRow("Деверь") << 77 << QStringLiteral("Деверь - брат мужа. ");
    QTest::newRow("Свояки") << 88 << QStringLiteral("Свояки - лица, женатые на двух сестрах. ");
    QTest::newRow("Шурин") << 96 << QStringLiteral("Шурин - родной брат жены. ");
    QTest::newRow("Кум") << 109 << QStringLiteral("Кум, кума - см: Отец крестный, мать крестная. ");
}

void TestGlossary::entriesGivenInFull()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    // Byte for byte in the stored file, not only after decoding.
    const QList<QByteArray> rawLines = rawGlossary().split('\n');
    QVERIFY(number <= rawLines.size());
    QByteArray raw = rawLines.at(number - 1);
    if (raw.endsWith('\r'))
        raw.chop(1);
    QCOMPARE(raw, toWindows1251(text));
    QCOMPARE(line(number), text);
}

void TestGlossary::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("crlf between lines") << QByteArray("a\r\nb\r\nc") << QStringLiteral("a\nb\nc");
    QTest::newRow("break at the end adds no line")
        << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb");
    QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\n\r\nb") << QStringLiteral("a\n\n\nb");
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringLiteral("a\nb");
    QTest::newRow("lone lf") << QByteArray("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << QStringLiteral("a\n\nb");
    QTest::newRow("cyrillic") << QByteArray("\xC0\xE1\xE2 \xDF\xFF") << QStringLiteral("Абв Яя");
    QTest::newRow("yo and numero") << QByteArray("\xA8\xB8\xB9") << QStringLiteral("Ёё№");
    QTest::newRow("not utf-8") << QByteArray("\xD0\x94") << QStringLiteral("Р”");
}

void TestGlossary::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TermsPage::decodeText(bytes), text);
}

void TestGlossary::decodeTextTakesAnyBytes()
{
    // Every byte value decodes to exactly one character, except the breaks.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    QCOMPARE(TermsPage::decodeText(all).size(), all.size());

    QByteArray noise(100000, Qt::Uninitialized);
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + i / 13) & 0xFF);
    QVERIFY(!TermsPage::decodeText(noise).isEmpty());
}

void TestGlossary::memoGeometryIsFixed_data()
{
    QTest::addColumn<QSize>("pageSize");
    QTest::newRow("stored") << QSize(767, 475);
    QTest::newRow("maximised") << QSize(1920, 1050);
    QTest::newRow("small") << QSize(200, 100);
    QTest::newRow("empty") << QSize(0, 0);
}

void TestGlossary::memoGeometryIsFixed()
{
    QFETCH(QSize, pageSize);
    QPlainTextEdit *memo = page->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QVERIFY(memo);
    QCOMPARE(memo, page->memo());
    QCOMPARE(memo->parentWidget(), page);
    QCOMPARE(page->objectName(), QStringLiteral("TabSheet4"));

    page->resize(pageSize);
    QCoreApplication::processEvents();
    QCOMPARE(memo->geometry(), QRect(0, 0, 767, 475));
    QVERIFY(memo->isVisible());
}

void TestGlossary::memoFont()
{
    const QFont font = page->memo()->font();
    QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(font.pixelSize(), 13);
    QVERIFY(!font.bold());
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());
    // The substitute actually draws Cyrillic at that size.
    const QFontInfo info(font);
    QCOMPARE(info.pixelSize(), 13);
    QVERIFY(QFontMetrics(font).inFont(u'Ж'));
    QCOMPARE(page->memo()->palette().color(QPalette::Text), page->palette().color(QPalette::Text));
}

void TestGlossary::memoScrollsVerticallyOnlyAndWraps()
{
    QPlainTextEdit *memo = page->memo();
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(memo->verticalScrollBar()->isVisible());
    QVERIFY(!memo->horizontalScrollBar()->isVisible());
    QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
    QVERIFY(memo->verticalScrollBar()->maximum() > 0); // 125 lines do not fit

    // Long lines wrap at the memo's width: the longest line of the glossary
    // takes more than one row on screen and no row is wider than the view.
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    int longest = 0;
    for (int i = 1; i < lines.size(); ++i)
        if (lines.at(i).size() > lines.at(longest).size())
            longest = i;
    const QTextBlock block = memo->document()->findBlockByNumber(longest);
    QVERIFY(block.layout());
    QVERIFY2(block.layout()->lineCount() > 1, qPrintable(block.text()));
    const int viewWidth = memo->viewport()->width();
    for (int i = 0; i < block.layout()->lineCount(); ++i)
        QVERIFY(block.layout()->lineAt(i).naturalTextWidth() <= viewWidth);

    // A word longer than the view breaks too, rather than scroll sideways.
    memo->setPlainText(QString(400, u'ж'));
    QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
    QVERIFY(memo->document()->firstBlock().layout()->lineCount() > 1);
}

void TestGlossary::memoOpensAtTheTop()
{
    QPlainTextEdit *memo = page->memo();
    QCOMPARE(memo->verticalScrollBar()->value(), 0);
    QCOMPARE(memo->textCursor().position(), 0);
    QCOMPARE(memo->cursorForPosition(QPoint(4, 4)).block().text(), lines.first());
}

void TestGlossary::memoIsEditableAndKeepsTypedText()
{
    QPlainTextEdit *memo = page->memo();
    QVERIFY(!memo->isReadOnly());
    QVERIFY(memo->textInteractionFlags() & Qt::TextEditable);

    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    // QTest::keyClicks takes ASCII only; Cyrillic goes in as key text.
    for (QChar c : QStringLiteral(" Прим."))
        QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QVERIFY(memo->toPlainText().endsWith(QStringLiteral("родной дочери.  Прим.")));
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Delete);
    QVERIFY(memo->toPlainText().startsWith(lines.first().mid(1)));

    // Leaving the memo keeps what was typed.
    memo->clearFocus();
    page->resize(1200, 900);
    QCoreApplication::processEvents();
    QVERIFY(memo->toPlainText().endsWith(QStringLiteral(" Прим.")));
    QCOMPARE(memo->document()->blockCount(), 125);
}

QTEST_MAIN(TestGlossary)
#include "tst_glossary.moc"
