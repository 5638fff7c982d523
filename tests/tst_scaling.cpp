#include "kinshipgrid.h"
#include "application.h"
#include "form1.h"
#include "linklabel.h"
#include "personboxes.h"
#include "pictureview.h"
#include "radiogroup.h"
#include "shadowlabel.h"
#include "statuspanels.h"

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The window at a scale factor of 2 (QT_SCALE_FACTOR=2, as on a screen of
// twice the usual density): it keeps the layout it has at 1 in logical
// pixels, the persons' boxes still lie over their portraits, and no caption
// is cut off that is not cut off at 1.
//
// The program runs itself a second time at a factor of 1 (--layout-at-1) to
// learn the layout there. Offscreen, both get a screen of the same logical
// size, so that the maximised windows match.

namespace {

constexpr int ScreenWidth = 1280; // logical pixels
constexpr int ScreenHeight = 800;
const char LayoutAt1[] = "--layout-at-1";

// Gives the offscreen platform a screen of the logical size above at the
// given factor; call before the application object exists.
void setUpPlatform(int factor, const QString &configDir)
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.split(':').value(0) != "offscreen")
        return;
    const QString config = configDir + QStringLiteral("/screen.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(config));
    // No frame: offscreen frames are device pixels, which would differ.
    file.write(QStringLiteral(R"({ "windowFrameMargins": false, "screens": [ { "name": "screen",
        "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96 } ] })")
                   .arg(ScreenWidth * factor)
                   .arg(ScreenHeight * factor)
                   .toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
}

QPoint head(int person)
{
    return PersonBoxes::box(person).center();
}

bool showForm(TForm1 &form)
{
    form.showMaximized();
    if (!QTest::qWaitForWindowExposed(&form))
        return false;
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

void pressAndMove(TForm1 &form, int from, int to)
{
    QWidget *picture = form.findChild<QWidget *>(QStringLiteral("Image1"));
    const auto at = [&](QPoint p) { return picture->mapTo(&form, p); };
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at(head(from)));
    QTest::mouseMove(form.windowHandle(), at(head(to) + QPoint(1, 0)));
}

// Each widget's place, size, visibility and caption, by its path of object
// names (or class and number among its siblings).
void describeWidgets(QWidget *parent, const QString &prefix, QStringList &lines)
{
    QHash<QString, int> seen;
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow())
            continue;
        QString name = w->objectName();
        if (name.isEmpty()) {
            const QString cls = QString::fromLatin1(w->metaObject()->className());
            name = QStringLiteral("%1#%2").arg(cls).arg(seen[cls]++);
        }
        const QString path = prefix + QLatin1Char('/') + name;
        QString caption;
        if (auto *label = qobject_cast<QLabel *>(w))
            caption = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            caption = button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            caption = group->title();
        const QRect g = w->geometry();
        lines << QStringLiteral("%1 %2,%3 %4x%5 %6 %7")
                     .arg(path)
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height())
                     .arg(w->isVisibleTo(w->window()) ? "shown" : "hidden")
                     .arg(caption.left(40));
        describeWidgets(w, path, lines);
    }
}

// The states the layout is compared in: each page, and the relations page
// after a hover that makes the labels long and after a degree is chosen.
QStringList layoutStates()
{
    return { "page 0", "page 1", "page 2", "page 3", "hover 22 -> 1", "degree 5" };
}

// The whole layout report of a fresh window, one line a widget, each line
// headed by its state.
QStringList layoutReport()
{
    TForm1 form;
    if (!showForm(form))
        return { "the window did not come up" };
    QStringList lines;
    const auto describe = [&](const QString &state) {
        QCoreApplication::sendPostedEvents();
        QStringList widgets;
        widgets << QStringLiteral("Form1 %1x%2").arg(form.width()).arg(form.height());
        describeWidgets(&form, QStringLiteral("Form1"), widgets);
        for (const QString &w : std::as_const(widgets))
            lines << state + QLatin1Char('|') + w;
    };
    auto *pages = form.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        describe(QStringLiteral("page %1").arg(i));
    }
    pages->setCurrentIndex(0);
    pressAndMove(form, 22, 1); // "сватья или сваха"
    describe(QStringLiteral("hover 22 -> 1"));
    QTest::mouseClick(
        form.findChild<RadioGroup *>(QStringLiteral("Stepeny"))->itemButton(5), Qt::LeftButton);
    describe(QStringLiteral("degree 5"));
    return lines;
}

QStringList linesOfState(const QStringList &report, const QString &state)
{
    QStringList lines;
    for (const QString &line : report)
        if (line.startsWith(state + QLatin1Char('|')))
            lines << line.mid(state.size() + 1);
    return lines;
}

// Where ink falls when a caption is drawn from origin with nothing to cut it
// off, on a canvas of the given device pixel ratio; logical pixels. wrapWidth
// > 0 wraps the caption at that width.
QRectF inkOf(const QString &caption, const QFont &font, QPoint origin, int wrapWidth, qreal dpr)
{
    const int margin = 40;
    const QSize logical(1200, 200);
    QImage canvas(logical * dpr, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(dpr);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.setFont(font);
    p.setPen(Qt::black);
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
    if (wrapWidth > 0)
        flags |= Qt::TextWordWrap;
    const QRect room(origin + QPoint(margin, margin),
        QSize(wrapWidth > 0 ? wrapWidth : logical.width() - 2 * margin, logical.height()));
    p.drawText(room, flags, caption);
    p.end();
    int left = canvas.width(), top = canvas.height(), right = -1, bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x)
            if ((line[x] & 0xffffff) != 0xffffff) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    }
    if (right < 0)
        return {};
    return QRectF(left / dpr - margin, top / dpr - margin, (right - left + 1) / dpr,
        (bottom - top + 1) / dpr);
}

} // namespace

class TestScaling : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scaleFactorIsTwo();
    void sameLayoutAsAtOne_data();
    void sameLayoutAsAtOne();
    void pressesAndMovesFindThePerson_data();
    void pressesAndMovesFindThePerson();
    void halfPixelsCountAsTheirPixel_data();
    void halfPixelsCountAsTheirPixel();
    void halfPixelsCountAsTheirGridCell();
    void portraitsLieInTheirBoxes_data();
    void portraitsLieInTheirBoxes();
    void markerBarsUnderTheirPersons();
    void captionsAreNotCutOff();

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QPoint at(QPoint picturePos) const { return child("Image1")->mapTo(form.get(), picturePos); }

    std::unique_ptr<TForm1> form;
};

void TestScaling::init()
{
    form = std::make_unique<TForm1>();
    QVERIFY(showForm(*form));
}

void TestScaling::cleanup()
{
    form.reset();
}

void TestScaling::scaleFactorIsTwo()
{
    QCOMPARE(form->devicePixelRatio(), 2.0);
    QCOMPARE(child("Image1")->devicePixelRatio(), 2.0);
}

void TestScaling::sameLayoutAsAtOne_data()
{
    QTest::addColumn<QStringList>("atOne");
    QTest::addColumn<QStringList>("atTwo");

    QProcess atOne;
    atOne.start(QCoreApplication::applicationFilePath(), { QString::fromLatin1(LayoutAt1) });
    QVERIFY2(atOne.waitForFinished(120000), "the run at a factor of 1 did not end");
    QVERIFY2(atOne.exitStatus() == QProcess::NormalExit && atOne.exitCode() == 0,
        atOne.readAllStandardError().constData());
    const QStringList reportAtOne
        = QString::fromUtf8(atOne.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    form.reset(); // one window at a time
    const QStringList reportAtTwo = layoutReport();
    for (const QString &state : layoutStates())
        QTest::newRow(qPrintable(state))
            << linesOfState(reportAtOne, state) << linesOfState(reportAtTwo, state);
}

void TestScaling::sameLayoutAsAtOne()
{
    QFETCH(QStringList, atOne);
    QFETCH(QStringList, atTwo);
    QVERIFY(atOne.size() > 30);
    QStringList differences;
    for (qsizetype i = 0; i < qMax(atOne.size(), atTwo.size()); ++i)
        if (atOne.value(i) != atTwo.value(i))
            differences
                << QStringLiteral("at 1: %1\n      at 2: %2").arg(atOne.value(i), atTwo.value(i));
    QVERIFY2(differences.isEmpty(), qPrintable(differences.mid(0, 8).join(u'\n')));
}

void TestScaling::pressesAndMovesFindThePerson_data()
{
    // Logical points on the picture: each box's centre and two corners, and
    // the pixel beyond the right edge, which the table may give to nobody
    // or to a neighbour.
    QTest::addColumn<QPoint>("point");
    for (int k = 1; k <= PersonBoxes::Count; ++k) {
        const QRect box = PersonBoxes::box(k);
        QTest::addRow("%d centre", k) << box.center();
        QTest::addRow("%d top left", k) << box.topLeft();
        QTest::addRow("%d right end of the top row", k) << box.topRight();
        QTest::addRow("%d beyond the right edge", k) << box.topRight() + QPoint(1, 0);
    }
}

void TestScaling::pressesAndMovesFindThePerson()
{
    QFETCH(QPoint, point);
    const int expected = PersonBoxes::hitTest(point);
    // From a parked reference person and hovered person that the point is
    // not, so that any change shows.
    const int parked = expected == 22 ? 21 : 22;
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at(head(parked)));
    QTest::mouseMove(form->windowHandle(), at(head(parked) + QPoint(1, 0)));

    QTest::mouseMove(form->windowHandle(), at(point));
    QCOMPARE(form->relations().ToPerson(), expected ? expected : parked);
    QCOMPARE(child<StatusPanels>("StatusBar1")->panelText(0),
        QStringLiteral("%1  %2").arg(point.x()).arg(point.y()));
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at(point));
    QCOMPARE(form->relations().FromPerson(), expected ? expected : parked);
    if (expected)
        QCOMPARE(child("KursorFrom")->pos(), PersonBoxes::markerPos(expected));
}

void TestScaling::halfPixelsCountAsTheirPixel_data()
{
    // A pointer on the right or lower device pixel of a logical pixel is at
    // x + 0.5 or y + 0.5: still that pixel, not the next one.
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<QPoint>("pixel");
    for (int k : { 1, 8, 13, 22 }) {
        const QRect box = PersonBoxes::box(k);
        QTest::addRow("%d right end of the top row", k)
            << QPointF(box.right() + 0.5, box.top() + 0.5) << box.topRight();
        QTest::addRow("%d centre", k) << QPointF(box.center()) + QPointF(0.5, 0.5) << box.center();
    }
    QTest::newRow("top left pixel") << QPointF(0.5, 0.5) << QPoint(0, 0);
}

void TestScaling::halfPixelsCountAsTheirPixel()
{
    QFETCH(QPointF, position);
    QFETCH(QPoint, pixel);
    auto *picture = child<PictureView>("Image1");
    const int expected = PersonBoxes::hitTest(pixel);
    const int parked = expected == 22 ? 21 : 22;
    QTest::mouseMove(form->windowHandle(), at(head(parked)));
    const QPointF global = picture->mapToGlobal(position);
    QMouseEvent move(QEvent::MouseMove, position, global, Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(picture, &move);
    QCOMPARE(child<StatusPanels>("StatusBar1")->panelText(0),
        QStringLiteral("%1  %2").arg(pixel.x()).arg(pixel.y()));
    QCOMPARE(form->relations().ToPerson(), expected ? expected : parked);
}

void TestScaling::halfPixelsCountAsTheirGridCell()
{
    // A press on the last device pixel before the next cell's first pixel
    // selects the cell it lies in, not the next one.
    child<QTabWidget>("PageControl1")->setCurrentWidget(child("TabSheet2"));
    auto *grid = child<KinshipGrid>("RodGrid");
    const QPoint next = grid->cellRect(4, 9).topLeft();
    const QPointF position = QPointF(next) - QPointF(0.5, 0.5);
    QCOMPARE(grid->cellAt(next - QPoint(1, 1)), (GridCell { 3, 8 }));
    const QPointF global = grid->viewport()->mapToGlobal(position);
    QMouseEvent press(QEvent::MouseButtonPress, position, global, Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(grid->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, position, global, Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(grid->viewport(), &release);
    QCOMPARE(grid->selectedBlock(), (TableBlock { 3, 8, 3, 8 }));
}

void TestScaling::portraitsLieInTheirBoxes_data()
{
    QTest::addColumn<int>("degree");
    QTest::newRow("the whole tree") << 0;
    QTest::newRow("a degree's picture") << 3;
}

void TestScaling::portraitsLieInTheirBoxes()
{
    QFETCH(int, degree);
    auto *picture = child<PictureView>("Image1");
    if (degree)
        QTest::mouseClick(child<RadioGroup>("Stepeny")->itemButton(degree), Qt::LeftButton);
    const QImage source = picture->picture().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(source.size(), QSize(PersonBoxes::PictureWidth, PersonBoxes::PictureHeight));
    // The view draws the picture at its natural size in logical pixels:
    // each picture pixel covers 2 x 2 device pixels of the grab.
    const QPixmap grab = picture->grab();
    QCOMPARE(grab.devicePixelRatio(), 2.0);
    const QImage shot = grab.toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), source.size() * 2);
    for (int k = 1; k <= PersonBoxes::Count; ++k) {
        const QRect box = PersonBoxes::box(k);
        int differing = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                for (QPoint d : { QPoint(0, 0), QPoint(1, 1) })
                    differing += shot.pixel(2 * x + d.x(), 2 * y + d.y()) != source.pixel(x, y);
        QVERIFY2(differing == 0,
            qPrintable(QStringLiteral("person %1: %2 device pixels differ").arg(k).arg(differing)));
    }
}

void TestScaling::markerBarsUnderTheirPersons()
{
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at(head(3)));
    QTest::mouseMove(form->windowHandle(), at(head(8) + QPoint(1, 0)));
    QWidget *page = child("TabSheet1");
    const QImage shot = page->grab().toImage();
    QCOMPARE(shot.size(), page->size() * 2);
    // The bars' middle and outline, in device pixels of the page.
    const auto device = [&](int person, QPoint inBar) {
        const QPoint p = child("Image1")->mapTo(page, PersonBoxes::markerPos(person) + inBar);
        return shot.pixelColor(2 * p.x() + 1, 2 * p.y() + 1);
    };
    QCOMPARE(device(8, { 24, 4 }), QColor(255, 0, 0));
    QCOMPARE(device(8, { 0, 4 }), QColor(0, 0, 0));
    QCOMPARE(device(8, { 48, 4 }), QColor(0, 0, 0));
    QCOMPARE(device(3, { 24, 4 }), QColor(0, 255, 0));
    QCOMPARE(device(3, { 24, 0 }), QColor(0, 0, 0));
}

void TestScaling::captionsAreNotCutOff()
{
    // Every caption the program draws itself, on every page, after a hover
    // that makes NameFrom long: where its ink stays inside the label at a
    // device pixel ratio of 1, it stays inside at 2.
    pressAndMove(*form, 22, 1);
    QCOMPARE(child<QLabel>("NameFrom")->text(), "сватья или сваха");
    QStringList cut;
    int checked = 0;
    for (QLabel *label : form->findChildren<QLabel *>()) {
        const bool shadowed = qobject_cast<ShadowLabel *>(label);
        const auto *link = qobject_cast<LinkLabel *>(label);
        if (!shadowed && !link && !label->inherits("AutoSizeLabel"))
            continue;
        if (label->text().isEmpty())
            continue;
        QFont font = label->font();
        if (link)
            font.setUnderline(link->underline());
        // The shadowed label draws its caption 1 px in and keeps 1 px free
        // at either side.
        const QPoint origin = shadowed ? QPoint(1, 0) : QPoint(0, 0);
        const QRectF room = shadowed ? QRectF(1, 0, label->width() - 2, label->height())
                                     : QRectF(QPointF(0, 0), QSizeF(label->size()));
        const int wrap = label->wordWrap() ? int(room.width()) : 0;
        const QRectF at1 = inkOf(label->text(), font, origin, wrap, 1);
        const QRectF at2 = inkOf(label->text(), font, origin, wrap, 2);
        ++checked;
        if (room.contains(at1) && !room.contains(at2))
            cut << QStringLiteral("%1 \"%2\": ink %3,%4 %5x%6 in %7x%8")
                       .arg(label->objectName(), label->text())
                       .arg(at2.x())
                       .arg(at2.y())
                       .arg(at2.width())
                       .arg(at2.height())
                       .arg(room.width())
                       .arg(room.height());
    }
    QVERIFY(checked >= 15);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
}

int main(int argc, char *argv[])
{
    const bool atOne = argc > 1 && qstrcmp(argv[1], LayoutAt1) == 0;
    QTemporaryDir configDir;
    if (!configDir.isValid())
        qFatal("no temporary folder");
    setUpPlatform(atOne ? 1 : 2, configDir.path());
    Application app(argc, argv);
    if (atOne) {
        // The layout at 1, for the run at 2 to compare with.
        QTextStream out(stdout);
        for (const QString &line : layoutReport())
            out << line << '\n';
        return 0;
    }
    TestScaling test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scaling.moc"
