#include "findcontrol.h"
#include "application.h"
#include "autosizelabel.h"
#include "form1.h"
#include "jpegdecoder.h"
#include "kinshipgrid.h"
#include "linklabel.h"
#include "markerbar.h"
#include "personboxes.h"
#include "pictureview.h"
#include "radiogroup.h"
#include "statuspanels.h"

#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// The main window through real mouse events: presses and moves are sent to
// the window at window coordinates, so Qt routes them to whatever control
// lies under the pointer, as it does for a user.
class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAndPages();
    void relationsPageLayout_data();
    void relationsPageLayout();
    void creationOrder();
    void tabOrder();
    void startState();
    void hover_data();
    void hover();
    void referencePersonUnderTheMouseShowsLime();
    void markerColoursOnTheScreen();
    void leftDragOutToTheLeftGivesNegativeX();
    void otherButtonDragOutsideDeliversNothing();
    void barsTakeTheMouseOutsideADrag();
    void activationCountsOnce();
    void labelsFollowTheirCaptions();
    void resizingMovesNoControl();
    void errorsInHandlersReachTheReporter();
    void degreeShowsItsTextAndPicture_data();
    void degreeShowsItsTextAndPicture();
    void degreeChangeKeepsTheRelations();
    void typedMemoTextLastsUntilAnotherDegree();
    void chosenItemAtStartRunsNothing();
    void keyboardWrapsFromTheLastDegreeToTheFirst();
    void hoverWorksOverBlankPlaces();
    void cutTermShowsOnTheRelationsPage();
    void bothLinksCarryOneAddress();
    void exitButtonClosesTheWindow();

private:
    template<typename T = QWidget>
    T *child(const char *name) const
    {
        return findControl<T>(form.get(), name);
    }
    QPoint at(QPoint picturePos) const { return child("Image1")->mapTo(form.get(), picturePos); }
    QPoint head(int person) const { return PersonBoxes::box(person).center(); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(form->windowHandle(), b, {}, at(p));
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(form->windowHandle(), b, {}, at(p));
    }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        press(p, b);
        release(p, b);
    }
    void move(QPoint p) { QTest::mouseMove(form->windowHandle(), at(p)); }
    QString panel(int i) const { return child<StatusPanels>("StatusBar1")->panelText(i); }
    QColor pixel(const char *name, QPoint p) const
    {
        return child("TabSheet1")->grab().toImage().pixelColor(child(name)->mapTo(child("TabSheet1"), p));
    }

    std::unique_ptr<TForm1> form;
};

void TestForm1::init()
{
    form = std::make_unique<TForm1>();
    form->showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    // Park the pointer away from the picture.
    QTest::mouseMove(form->windowHandle(), QPoint(form->width() - 5, form->height() - 40));
}

void TestForm1::cleanup()
{
    form.reset();
}

void TestForm1::windowAndPages()
{
    QCOMPARE(form->objectName(), "Form1");
    QCOMPARE(form->windowTitle(), "Ветвица Версия 1.0");
    QVERIFY(form->isMaximized());
    QCOMPARE(form->normalGeometry(), QRect(11, 17, 775, 522));
    auto *pages = child<QTabWidget>("PageControl1");
    QCOMPARE(pages->count(), 4);
    const QStringList titles { "Отношения", "Термины", "Родство", "О программе" };
    const QStringList names { "TabSheet1", "TabSheet4", "TabSheet2", "TabSheet3" };
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(pages->tabText(i), titles[i]);
        QCOMPARE(pages->widget(i)->objectName(), names[i]);
    }
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), pages->tabBar());

    auto *status = child<StatusPanels>("StatusBar1");
    QCOMPARE(status->height(), 19);
    QCOMPARE(status->geometry().bottom(), form->height() - 1);
    QCOMPARE(pages->geometry(), QRect(0, 0, form->width(), form->height() - 19));
    QVERIFY(status->isSizeGripEnabled());
}

void TestForm1::relationsPageLayout_data()
{
    // Labels that size themselves keep their stored left and top; their size
    // follows the caption (checked elsewhere), so it is not compared here.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("sizeFixed");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fontPixels");

    auto row = [](const char *name, const char *cls, QRect r, bool fixed, const char *caption = "",
                  int font = 11) {
        QTest::newRow(name) << name << cls << r << fixed << QString::fromUtf8(caption) << font;
    };
    row("Image1", "PictureView", { 0, 0, 549, 415 }, true);
    row("KursorTo", "MarkerBar", { 280, 85, 49, 8 }, true);
    row("KursorFrom", "MarkerBar", { 210, 85, 49, 8 }, true);
    row("Shape1", "MarkerBar", { 560, 23, 49, 8 }, true);
    row("Shape2", "MarkerBar", { 560, 137, 49, 8 }, true);
    row("NameFrom", "AutoSizeLabel", { 568, 33, 29, 20 }, false, "муж", 16);
    row("NameTo", "AutoSizeLabel", { 563, 147, 38, 20 }, false, "жена", 16);
    row("Shape3", "MarkerBar", { 560, 381, 49, 8 }, true);
    row("Shape4", "MarkerBar", { 560, 408, 49, 8 }, true);
    row("Label1", "AutoSizeLabel", { 622, 371, 90, 26 }, true, "Кровное родство (двигать мышь)");
    row("Label2", "AutoSizeLabel", { 621, 406, 110, 13 }, false, "Свойства (по бракам)");
    row("Shape5", "MarkerBar", { 560, 354, 49, 8 }, true);
    row("Label3", "AutoSizeLabel", { 621, 350, 114, 13 }, false, "От кого считать (клик)");
    row("LinkLabel1", "LinkLabel", { 618, 468, 71, 13 }, false, "vetv@example.org");
    row("RxLabel1", "ShadowLabel", { 567, 436, 154, 13 }, false, "Разработка  команда Ветвицы");
    row("RxLabel2", "ShadowLabel", { 591, 453, 114, 13 }, false, "Версия 1.0   Май 2003");
    row("Stepeny", "RadioGroup", { 3, 418, 253, 81 }, true, "Степени родства");
    row("StepMemo", "QPlainTextEdit", { 260, 424, 289, 74 }, true);
    row("BitBtn1", "QPushButton", { 712, 474, 75, 25 }, true, "Выход");
}

void TestForm1::relationsPageLayout()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(bool, sizeFixed);
    QFETCH(QString, caption);
    QFETCH(int, fontPixels);

    QWidget *w = child(name.toLatin1().constData());
    QCOMPARE(w->parentWidget()->objectName(), "TabSheet1");
    QCOMPARE(w->metaObject()->className(), className);
    QCOMPARE(w->pos(), geometry.topLeft());
    if (sizeFixed)
        QCOMPARE(w->size(), geometry.size());
    if (auto *label = qobject_cast<QLabel *>(w))
        QCOMPARE(label->text(), caption);
    else if (auto *group = qobject_cast<QGroupBox *>(w))
        QCOMPARE(group->title(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(button->text(), caption);
    QCOMPARE(QFontInfo(w->font()).pixelSize(), fontPixels);
    QCOMPARE(w->font().family(), "MS Sans Serif");
}

void TestForm1::creationOrder()
{
    // Later controls lie over earlier ones: KursorFrom over KursorTo, every
    // bar over the picture.
    QStringList order;
    for (QObject *o : child("TabSheet1")->children())
        if (o->isWidgetType())
            order << o->objectName();
    const QStringList expected { "Image1", "KursorTo", "KursorFrom", "Shape1", "Shape2", "NameFrom",
                                 "NameTo", "Shape3", "Shape4", "Label1", "Label2", "Shape5", "Label3",
                                 "LinkLabel1", "RxLabel1", "RxLabel2", "Stepeny", "StepMemo", "BitBtn1" };
    QCOMPARE(order, expected);
}

void TestForm1::tabOrder()
{
    // From the page tabs, Tab walks the selector (its chosen item), the memo
    // and the exit button.
    QWidget *stepeny = child("Stepeny");
    QWidget *w = child<QTabWidget>("PageControl1")->tabBar();
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisible())
            w = w->nextInFocusChain();
        walked << (stepeny->isAncestorOf(w) ? QStringLiteral("Stepeny") : w->objectName());
    }
    QCOMPARE(walked, QStringList({ "Stepeny", "StepMemo", "BitBtn1" }));
}

void TestForm1::startState()
{
    QCOMPARE(form->relations().FromPerson(), 1);
    QCOMPARE(form->relations().ToPerson(), 2);
    QCOMPARE(child("KursorFrom")->pos(), QPoint(210, 85));
    QCOMPARE(child("KursorTo")->pos(), QPoint(280, 85));
    QCOMPARE(child<MarkerBar>("KursorFrom")->color(), QColor(0, 255, 0));
    QCOMPARE(child<MarkerBar>("KursorTo")->color(), QColor(0, 0, 255));
    QCOMPARE(child<MarkerBar>("Shape2")->color(), QColor(0, 0, 255));
    QCOMPARE(child<QLabel>("NameFrom")->text(), "муж");
    QCOMPARE(child<QLabel>("NameTo")->text(), "жена");
    QVERIFY(child<QPlainTextEdit>("StepMemo")->toPlainText().isEmpty());
    QCOMPARE(child<RadioGroup>("Stepeny")->itemIndex(), 0);
    for (int i = 0; i < 3; ++i)
        QVERIFY(panel(i).isEmpty());
    QCOMPARE(child<PictureView>("Image1")->picture().size(), QSize(549, 415));
}

void TestForm1::hover_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<QString>("nameFrom");
    QTest::addColumn<QString>("nameTo");
    QTest::addColumn<QColor>("colour");
    const QColor red(255, 0, 0), blue(0, 0, 255), white(255, 255, 255);
    QTest::newRow("3 -> 8") << int(Qt::LeftButton) << 3 << QList<int> { 8 } << "отец" << "дочь" << red;
    QTest::newRow("3 -> 5") << int(Qt::LeftButton) << 3 << QList<int> { 5 } << "муж" << "жена" << blue;
    QTest::newRow("3: 8 then 21") << int(Qt::LeftButton) << 3 << QList<int> { 8, 21 } << "зять"
                                  << "тесть" << blue;
    QTest::newRow("right button") << int(Qt::RightButton) << 3 << QList<int> { 8 } << "отец"
                                  << "дочь" << red;
    QTest::newRow("1 -> 13") << int(Qt::LeftButton) << 1 << QList<int> { 13 } << ""
                             << "нет определения" << white;
    QTest::newRow("same person") << int(Qt::LeftButton) << 4 << QList<int> { 4 } << "Я" << ""
                                 << white;
}

void TestForm1::hover()
{
    QFETCH(int, button);
    QFETCH(int, from);
    QFETCH(QList<int>, moves);
    QFETCH(QString, nameFrom);
    QFETCH(QString, nameTo);
    QFETCH(QColor, colour);

    click(head(from), Qt::MouseButton(button));
    QCOMPARE(form->relations().FromPerson(), from);
    QCOMPARE(child("KursorFrom")->pos(), PersonBoxes::markerPos(from));
    QCOMPARE(panel(1), QString::number(from));
    for (int to : moves) {
        // One pixel off the press: a move to where the pointer already is
        // is no move.
        move(head(to) + QPoint(1, 0));
        QCOMPARE(form->relations().ToPerson(), to);
        QCOMPARE(child("KursorTo")->pos(), PersonBoxes::markerPos(to));
    }
    QCOMPARE(child<QLabel>("NameFrom")->text(), nameFrom);
    QCOMPARE(child<QLabel>("NameTo")->text(), nameTo);
    QCOMPARE(child<MarkerBar>("KursorTo")->color(), colour);
    QCOMPARE(child<MarkerBar>("Shape2")->color(), colour);
    QCOMPARE(panel(2), QString::number(moves.last()));
    const QPoint last = head(moves.last()) + QPoint(1, 0);
    QCOMPARE(panel(0), QStringLiteral("%1  %2").arg(last.x()).arg(last.y()));
}

void TestForm1::referencePersonUnderTheMouseShowsLime()
{
    click(head(6));
    move(head(6) + QPoint(1, 0));
    QCOMPARE(child("KursorTo")->pos(), child("KursorFrom")->pos());
    QCOMPARE(child<MarkerBar>("KursorTo")->color(), QColor(255, 255, 255));
    QCOMPARE(pixel("KursorFrom", { 24, 4 }), QColor(0, 255, 0));
}

void TestForm1::markerColoursOnTheScreen()
{
    click(head(3));
    move(head(8));
    QCOMPARE(pixel("KursorTo", { 24, 4 }), QColor(255, 0, 0));
    QCOMPARE(pixel("Shape2", { 24, 4 }), QColor(255, 0, 0));
    QCOMPARE(pixel("KursorTo", { 0, 4 }), QColor(0, 0, 0)); // the outline
    move(head(5));
    QCOMPARE(pixel("KursorTo", { 24, 4 }), QColor(0, 0, 255));
    QCOMPARE(pixel("Shape2", { 24, 4 }), QColor(0, 0, 255));
    QCOMPARE(pixel("Shape1", { 24, 4 }), QColor(0, 255, 0));
}

void TestForm1::leftDragOutToTheLeftGivesNegativeX()
{
    press(head(21));
    move(QPoint(-12, 40));
    QCOMPARE(panel(0), "-12  40");
    move(QPoint(-30, -5));
    QCOMPARE(panel(0), "-30  -5");
    release(QPoint(-30, -5));
    // After the release, moves outside the picture reach it no more.
    move(QPoint(-40, 60));
    QCOMPARE(panel(0), "-30  -5");
}

void TestForm1::otherButtonDragOutsideDeliversNothing()
{
    press(head(21), Qt::RightButton);
    move(QPoint(30, 40));
    QCOMPARE(panel(0), "30  40");
    move(QPoint(-12, 40));
    QCOMPARE(panel(0), "30  40");
    release(QPoint(-12, 40), Qt::RightButton);
}

void TestForm1::barsTakeTheMouseOutsideADrag()
{
    move(QPoint(300, 60));
    QCOMPARE(panel(0), "300  60");
    // (230, 88) lies on KursorFrom, (300, 85) on KursorTo: person 1's and
    // person 2's last box row is under the bars.
    move(QPoint(230, 88));
    QCOMPARE(panel(0), "300  60");
    click(QPoint(300, 85));
    QCOMPARE(form->relations().FromPerson(), 1);
    QVERIFY(panel(1).isEmpty());
    // The box's last row beside the bar is the person's.
    click(QPoint(330, 85));
    QCOMPARE(form->relations().FromPerson(), 2);
    // During a left drag the picture keeps the mouse, bars or not.
    press(head(1));
    move(QPoint(230, 88));
    QCOMPARE(panel(0), "230  88");
    release(QPoint(230, 88));
}

void TestForm1::activationCountsOnce()
{
    click(head(5));
    QCOMPARE(form->relations().FromPerson(), 5);
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(form->relations().FromPerson(), 5);
}

void TestForm1::labelsFollowTheirCaptions()
{
    auto *nameFrom = child<QLabel>("NameFrom");
    const QSize before = nameFrom->size();
    click(head(22));
    move(head(1)); // "сватья или сваха"
    QVERIFY(nameFrom->width() > before.width() * 3);
    QCOMPARE(nameFrom->pos(), QPoint(568, 33));
    move(head(5)); // "мать"
    QVERIFY(nameFrom->width() < before.width() * 2);
    move(head(22)); // "Я"
    QVERIFY(nameFrom->width() < before.width());
}

void TestForm1::resizingMovesNoControl()
{
    form->showNormal();
    QTRY_COMPARE(form->size(), QSize(775, 522));
    QCOMPARE(child("BitBtn1")->geometry(), QRect(712, 474, 75, 25));
    QCOMPARE(child("StepMemo")->geometry(), QRect(260, 424, 289, 74));
    // The page is smaller than its controls: the lower and right ones are cut.
    QWidget *page = child("TabSheet1");
    QVERIFY(page->height() < 499);
    QVERIFY(page->width() < 787);
    form->resize(1200, 900);
    QTRY_COMPARE(child("PageControl1")->width(), 1200);
    QCOMPARE(child("BitBtn1")->geometry(), QRect(712, 474, 75, 25));
    QCOMPARE(child("Image1")->geometry(), QRect(0, 0, 549, 415));
}

class Thrower : public QObject
{
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("bad thing");
        return QObject::event(e);
    }
};

void TestForm1::errorsInHandlersReachTheReporter()
{
    QStringList reported;
    Application::setErrorReporter([&](const QString &m) { reported << m; });
    Thrower thrower;
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&thrower, &event), false);
    QCOMPARE(reported, QStringList { "bad thing" });
    // The program goes on: the window still answers.
    click(head(3));
    QCOMPARE(form->relations().FromPerson(), 3);
    Application::setErrorReporter({});
}

static QImage resourcePicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeJpeg(file.readAll());
}

void TestForm1::degreeShowsItsTextAndPicture_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Первая степень")
        << 1 << QStringList { "ПЕРВАЯ СТЕПЕНЬ РОДСТВА:", "       отец и сын, отец и дочь,",
                              "       мать и сын, мать и дочь; " };
    QTest::newRow("Четвёртая степень")
        << 5 << QStringList { "ЧЕТВЕРТАЯ СТЕПЕНЬ РОДСТВА:", "     двоюродные сестры  и братья,",
                              "     двоюродный  дед и внучатые  племянники,",
                              "     двоюродная  бабка  и внучатые племянницы;" };
    QTest::newRow("Шестая степень")
        << 7 << QStringList { "ШЕСТАЯ СТЕПЕНЬ РОДСТВА:  ", "     троюродные  сестры и братья" };
}

void TestForm1::degreeShowsItsTextAndPicture()
{
    QFETCH(int, item);
    QFETCH(QStringList, lines);
    auto *stepeny = child<RadioGroup>("Stepeny");
    auto *image = child<PictureView>("Image1");
    const QImage fullTree = image->grab().toImage();
    QTest::mouseClick(stepeny->itemButton(item), Qt::LeftButton);
    QCOMPARE(stepeny->itemIndex(), item);
    QCOMPARE(child<QPlainTextEdit>("StepMemo")->toPlainText().split(u'\n'), lines);
    QCOMPARE(image->picture(), resourcePicture(QStringLiteral(":/JPEG/%1STEP").arg(item)));
    // On the screen, persons of other degrees are gone: person 21 is of none.
    const QImage shown = image->grab().toImage();
    const QPoint face = PersonBoxes::box(21).center();
    QVERIFY(shown.pixel(face) != fullTree.pixel(face));
    QCOMPARE(shown.pixel(face), shown.pixel(QPoint(540, 5)));

    // Back to "Все": one line of four blanks and the full tree.
    QTest::mouseClick(stepeny->itemButton(0), Qt::LeftButton);
    QCOMPARE(child<QPlainTextEdit>("StepMemo")->toPlainText(), "    ");
    QCOMPARE(image->grab().toImage(), fullTree);
}

void TestForm1::degreeChangeKeepsTheRelations()
{
    click(head(3));
    move(head(8) + QPoint(1, 0));
    const RelationsDisplay before = form->relations().display();
    const QPoint kursorTo = child("KursorTo")->pos();
    QTest::mouseClick(child<RadioGroup>("Stepeny")->itemButton(2), Qt::LeftButton);
    QCOMPARE(form->relations().FromPerson(), 3);
    QCOMPARE(form->relations().ToPerson(), 8);
    QVERIFY(form->relations().display() == before);
    QCOMPARE(child("KursorTo")->pos(), kursorTo);
    QCOMPARE(child<QLabel>("NameFrom")->text(), "отец");
    QCOMPARE(panel(1), "3");
    QCOMPARE(panel(2), "8");
}

void TestForm1::typedMemoTextLastsUntilAnotherDegree()
{
    auto *stepeny = child<RadioGroup>("Stepeny");
    auto *memo = child<QPlainTextEdit>("StepMemo");
    QTest::mouseClick(stepeny->itemButton(3), Qt::LeftButton);
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "typed");
    const QString typed = memo->toPlainText();
    QVERIFY(typed.endsWith("typed"));
    QTest::mouseClick(stepeny->itemButton(3), Qt::LeftButton);
    QTest::mouseDClick(stepeny->itemButton(3), Qt::LeftButton);
    QCOMPARE(memo->toPlainText(), typed);
    QTest::mouseClick(stepeny->itemButton(4), Qt::LeftButton);
    QVERIFY(!memo->toPlainText().contains("typed"));
    QVERIFY(memo->toPlainText().startsWith("ТРЕТЬЯ СТЕПЕНЬ РОДСТВА:"));
}

void TestForm1::chosenItemAtStartRunsNothing()
{
    auto *image = child<PictureView>("Image1");
    QCOMPARE(image->picture(), resourcePicture(":/JPEG/0STEP"));
    QTest::mouseClick(child<RadioGroup>("Stepeny")->itemButton(0), Qt::LeftButton);
    QVERIFY(child<QPlainTextEdit>("StepMemo")->toPlainText().isEmpty());
}

void TestForm1::keyboardWrapsFromTheLastDegreeToTheFirst()
{
    auto *stepeny = child<RadioGroup>("Stepeny");
    QTest::mouseClick(stepeny->itemButton(7), Qt::LeftButton);
    QCOMPARE(child<PictureView>("Image1")->picture(), resourcePicture(":/JPEG/7STEP"));
    QTest::keyClick(stepeny->itemButton(7), Qt::Key_Down);
    QCOMPARE(stepeny->itemIndex(), 0);
    QCOMPARE(child<QPlainTextEdit>("StepMemo")->toPlainText(), "    ");
    QCOMPARE(child<PictureView>("Image1")->picture(), resourcePicture(":/JPEG/0STEP"));
}

void TestForm1::hoverWorksOverBlankPlaces()
{
    QTest::mouseClick(child<RadioGroup>("Stepeny")->itemButton(1), Qt::LeftButton);
    // Person 13 is not drawn on the first degree's picture; the place still
    // answers.
    click(head(14));
    move(head(13) + QPoint(1, 0));
    QCOMPARE(form->relations().ToPerson(), 13);
    QCOMPARE(child<QLabel>("NameFrom")->text(), "жена");
    QCOMPARE(child<QLabel>("NameTo")->text(), "муж");
    QCOMPARE(child<MarkerBar>("KursorTo")->color(), QColor(0, 0, 255));
}

void TestForm1::cutTermShowsOnTheRelationsPage()
{
    auto *pages = child<QTabWidget>("PageControl1");
    pages->setCurrentWidget(child("TabSheet2"));
    auto *grid = child<KinshipGrid>("RodGrid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 8).center());
    QCOMPARE(grid->selectedBlock(), (TableBlock { 3, 8, 3, 8 }));
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), "отец\t\r\n");
    QVERIFY(form->table().term(3, 8).isEmpty());

    pages->setCurrentWidget(child("TabSheet1"));
    click(head(3));
    move(head(8) + QPoint(1, 0));
    QCOMPARE(child<QLabel>("NameFrom")->text(), "");
    QCOMPARE(child<QLabel>("NameTo")->text(), "нет определения");
    QCOMPARE(child<MarkerBar>("KursorTo")->color(), QColor(255, 255, 255));
    QCOMPARE(child<MarkerBar>("Shape2")->color(), QColor(255, 255, 255));

    // Pasting it back restores the term at the next move.
    pages->setCurrentWidget(child("TabSheet2"));
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ShiftModifier);
    pages->setCurrentWidget(child("TabSheet1"));
    move(head(8) + QPoint(2, 0));
    QCOMPARE(child<QLabel>("NameFrom")->text(), "отец");
    QCOMPARE(child<MarkerBar>("KursorTo")->color(), QColor(255, 0, 0));
}

void TestForm1::bothLinksCarryOneAddress()
{
    auto *one = child<LinkLabel>("LinkLabel1");
    auto *two = child<LinkLabel>("LinkLabel2");
    QCOMPARE(one->text(), two->text());
    QCOMPARE(one->href(), two->href());
    QCOMPARE(one->href(), "mailto:" + one->text());
    QVERIFY(one->underline());
    QVERIFY(!two->underline());
}

void TestForm1::exitButtonClosesTheWindow()
{
    qApp->setQuitOnLastWindowClosed(false);
    QTest::mouseClick(child("BitBtn1"), Qt::LeftButton);
    QVERIFY(!form->isVisible());
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1.moc"
