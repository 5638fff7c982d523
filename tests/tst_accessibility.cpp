#include "application.h"
#include "form1.h"
#include "kinshipgrid.h"
#include "kinshiptable.h"
#include "personboxes.h"
#include "radiogroup.h"
#include "statuspanels.h"
#include "termspage.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

// What assistive technology learns from the real window through QAccessible
// in this process: the role, name, description, value and state of every
// control, how they follow the mouse, and the change events that tell a
// screen reader to read them again.
//
// Qt hands change events to an update handler only while accessibility is
// active, and it is active only when the platform has an accessibility
// bridge that a client switched on: never on the offscreen platform, on X11
// once an AT-SPI bus is up. tests/with-accessibility-bus runs this program
// that way; offscreen the event checks are skipped and the rest runs.

namespace {

// One mouse action on the picture, at picture coordinates.
struct Step {
    enum Kind { Click, Move } kind;
    QPoint at;
};

// A change event as the handler saw it; the event itself is gone by the
// time a test looks.
struct Heard {
    QObject *object;
    QAccessible::Event type;
    QAccessible::State changed;
    int modelChange;
};

QList<Heard> heard;
bool listening = false;

void recordEvent(QAccessibleEvent *event)
{
    if (!listening)
        return;
    Heard h { event->object(), event->type(), {}, -1 };
    if (event->type() == QAccessible::StateChanged)
        h.changed = static_cast<QAccessibleStateChangeEvent *>(event)->changedStates();
    if (event->type() == QAccessible::TableModelChanged)
        h.modelChange = static_cast<QAccessibleTableModelChangeEvent *>(event)->modelChangeType();
    heard << h;
}

QPoint head(int person)
{
    return PersonBoxes::box(person).center();
}

// A press and release moves the pointer there first, so the person is
// hovered before being pressed on, unless the pointer is there already.
Step click(int person, int dx = 0)
{
    return { Step::Click, head(person) + QPoint(dx, 0) };
}

// Off the head by dx: a move to where the pointer already is is no move.
Step move(int person, int dx = 1)
{
    return { Step::Move, head(person) + QPoint(dx, 0) };
}

// The state bits a control's row speaks of, by name.
QStringList stateNames(const QAccessible::State &s)
{
    QStringList names;
    if (s.invisible)
        names << "invisible";
    if (s.focusable)
        names << "focusable";
    if (s.checkable)
        names << "checkable";
    if (s.checked)
        names << "checked";
    if (s.linked)
        names << "linked";
    if (s.readOnly)
        names << "readOnly";
    if (s.editable)
        names << "editable";
    if (s.multiLine)
        names << "multiLine";
    return names;
}

// Three persons a, b, c where a is to b what b is to c and b to a what c is
// to b (three brothers, say): after a -> b, a press on b and a move onto c
// change no term, yet the pair is new.
std::array<int, 3> sameTermsChain()
{
    const KinshipTable table = KinshipTable::initial();
    for (int a = 1; a <= KinshipTable::Size; ++a)
        for (int b = 1; b <= KinshipTable::Size; ++b)
            for (int c = 1; c <= KinshipTable::Size; ++c) {
                if (a == b || a == c || b == c || table.term(a, b).isEmpty())
                    continue;
                if (table.term(a, b) == table.term(b, c) && table.term(b, a) == table.term(c, b)
                    && table.IsAffinity(a, b) == table.IsAffinity(b, c))
                    return { a, b, c };
            }
    return { 0, 0, 0 };
}

// A place on the picture in no person's box.
const QPoint gap { 545, 5 };

} // namespace

Q_DECLARE_METATYPE(Step)

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void hoverIsTold_data();
    void hoverIsTold();
    void aPressKeepsThePairTold();
    void gridCellsCarryTheirTerms_data();
    void gridCellsCarryTheirTerms();
    void cutTermsAreToldOnTheGridAndOnHover();

    void changeEvents_data();
    void changeEvents();
    void choosingADegreeIsTold();
    void cuttingIsToldAsATableChange();

private:
    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *w = form->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLabel *panel(int i) const
    {
        // The status bar's own labels, in creation order: panel 0, 1, 2.
        const auto labels = child("StatusBar1")->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
        return labels.value(i);
    }
    QWidget *control(const QString &path) const
    {
        if (path == form->objectName())
            return form.get();
        if (path.startsWith("panel"))
            return panel(path.mid(5).toInt());
        return child(path);
    }
    QString nameOf(QObject *object) const
    {
        for (int i = 0; i < StatusPanels::PanelCount; ++i)
            if (object == panel(i))
                return QStringLiteral("panel%1").arg(i);
        return object ? object->objectName() : QString();
    }
    QAccessibleInterface *iface(const QString &path) const
    {
        return QAccessible::queryAccessibleInterface(control(path));
    }
    QString text(const QString &path, QAccessible::Text t) const
    {
        QAccessibleInterface *i = iface(path);
        return i ? i->text(t) : QStringLiteral("<no interface>");
    }
    QPoint at(QPoint picturePos) const { return child("Image1")->mapTo(form.get(), picturePos); }
    void perform(const Step &step)
    {
        if (step.kind == Step::Click) {
            QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, at(step.at));
            QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, at(step.at));
        } else {
            QTest::mouseMove(form->windowHandle(), at(step.at));
        }
    }
    void showPageOf(QWidget *w)
    {
        auto *pages = child<QTabWidget>("PageControl1");
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(w))
                pages->setCurrentIndex(i);
    }
    // The names of the controls whose events of the given type were heard.
    QStringList heardFrom(QAccessible::Event type) const
    {
        QStringList names;
        for (const Heard &h : std::as_const(heard))
            if (h.type == type && !names.contains(nameOf(h.object)))
                names << nameOf(h.object);
        return names;
    }

    std::unique_ptr<TForm1> form;
    bool eventsDelivered = false;
};

void TestAccessibility::initTestCase()
{
    QAccessible::installUpdateHandler(recordEvent);
    // With a bridge, activation comes a little after start-up, once the
    // bridge has found the bus.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        eventsDelivered = QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
    qInfo("accessibility change events %s on the %s platform",
        eventsDelivered ? "are delivered" : "are not delivered (checks skipped)",
        qPrintable(QGuiApplication::platformName()));
    // with-accessibility-bus has set up what the events need.
    if (qEnvironmentVariableIsSet("VETVITSA_A11Y_EVENTS"))
        QVERIFY2(eventsDelivered, "the accessibility bus is up, yet Qt delivers no events");
}

void TestAccessibility::init()
{
    form = std::make_unique<TForm1>();
    form->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // Without a window manager (Xvfb) nothing activates a new window.
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    // Park the pointer on the right, off the picture and the controls.
    QTest::mouseMove(form->windowHandle(), QPoint(form->width() - 5, form->height() - 40));
    heard.clear();
}

void TestAccessibility::cleanup()
{
    listening = false;
    heard.clear();
    form.reset();
}

void TestAccessibility::controls_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("state");

    auto row = [](const char *path, QAccessible::Role role, const QString &name,
                   const QString &description = {}, const QString &value = {},
                   const QStringList &state = {}) {
        QTest::newRow(path) << QString::fromLatin1(path) << int(role) << name << description
                            << value << state;
    };
    const QString mail = QStringLiteral("vetv@example.org");
    const QString mailto = QStringLiteral("mailto:vetv@example.org");

    row("Form1", QAccessible::Window, "Ветвица Версия 1.0");
    // The relations page.
    row("Image1", QAccessible::Graphic, "Семейное древо", "1 → 2: муж / жена");
    row("KursorTo", QAccessible::Graphic, "Кого видим", "синий");
    row("KursorFrom", QAccessible::Graphic, "От кого считать", "зелёный");
    row("Shape1", QAccessible::Graphic, "От кого считать", "зелёный");
    row("Shape2", QAccessible::Graphic, "Кого видим", "синий");
    row("NameFrom", QAccessible::StaticText, "муж",
        "Кем приходится тот, от кого считать, тому, кого видим");
    row("NameTo", QAccessible::StaticText, "жена",
        "Кем приходится тот, кого видим, тому, от кого считать");
    row("Shape3", QAccessible::Graphic, "Кровное родство", "красный");
    row("Shape4", QAccessible::Graphic, "Свойства", "синий");
    row("Label1", QAccessible::StaticText, "Кровное родство (двигать мышь)");
    row("Label2", QAccessible::StaticText, "Свойства (по бракам)");
    row("Shape5", QAccessible::Graphic, "От кого считать", "зелёный");
    row("Label3", QAccessible::StaticText, "От кого считать (клик)");
    row("LinkLabel1", QAccessible::Link, mail, {}, mailto, { "linked" });
    row("RxLabel1", QAccessible::StaticText, "Разработка  команда Ветвицы");
    row("RxLabel2", QAccessible::StaticText, "Версия 1.0   Май 2003");
    row("Stepeny", QAccessible::Grouping, "Степени родства", {}, {}, { "focusable" });
    const QStringList degrees { "Все", "Первая степень", "Вторая степень", "Третья степень (А)",
        "Третья степень (Б)", "Четвёртая степень", "Пятая степень", "Шестая степень" };
    for (int i = 0; i < degrees.size(); ++i) {
        QStringList state { "focusable", "checkable" };
        if (i == 0)
            state << "checked";
        row(qPrintable(QStringLiteral("item%1").arg(i)), QAccessible::RadioButton, degrees[i], {},
            {}, state);
    }
    row("StepMemo", QAccessible::EditableText, "Степень родства", {}, {},
        { "focusable", "editable", "multiLine" });
    row("BitBtn1", QAccessible::Button, "Выход", {}, {}, { "focusable" });
    // The status bar: each panel's name is its text, empty at start.
    row("StatusBar1", QAccessible::StatusBar, {}, {}, {}, { "readOnly" });
    row("panel0", QAccessible::StaticText, {}, "Положение мыши на рисунке", {}, { "readOnly" });
    row("panel1", QAccessible::StaticText, {}, "От кого считать", {}, { "readOnly" });
    row("panel2", QAccessible::StaticText, {}, "Кого видим", {}, { "readOnly" });
    // The other pages.
    row("Memo1", QAccessible::EditableText, "Термины", {}, TermsPage::glossaryText(),
        { "focusable", "editable", "multiLine" });
    row("RodGrid", QAccessible::Table, "Родство", {}, {}, { "focusable" });
    row("RxLabel3", QAccessible::StaticText, "Программа бесплатная  -  freeware");
    row("RxLabel5", QAccessible::StaticText,
        "Если есть ошибки, неточности, замечания, предложения - пишите");
    row("LinkLabel2", QAccessible::Link, mail, {}, mailto, { "linked" });
}

void TestAccessibility::controls()
{
    QFETCH(QString, path);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QString, value);
    QFETCH(QStringList, state);

    QWidget *w = control(path);
    QVERIFY(w);
    showPageOf(w);
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    QVERIFY(i);
    QVERIFY(i->isValid());
    QCOMPARE(i->role(), QAccessible::Role(role));
    QCOMPARE(i->text(QAccessible::Name), name);
    QCOMPARE(i->text(QAccessible::Description), description);
    QCOMPARE(i->text(QAccessible::Value), value);
    QCOMPARE(stateNames(i->state()), state);
    // Assistive tools walk the tree down from the window: every control is
    // a child of its parent's interface, up to the window.
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(form.get());
    for (QAccessibleInterface *c = i; c != root; c = c->parent()) {
        QAccessibleInterface *p = c->parent();
        QVERIFY2(p, qPrintable(path + " is cut off from the window"));
        const int index = p->indexOfChild(c);
        QVERIFY(index >= 0);
        QCOMPARE(p->child(index), c);
    }
    // Where a tool looks for the control on the screen, it finds it (a
    // radio button gives only its mark and caption).
    const QRect onScreen(w->mapToGlobal(QPoint(0, 0)), w->size());
    QVERIFY(!i->rect().isEmpty());
    QVERIFY2(onScreen.contains(i->rect()), qPrintable(path));
    if (role != QAccessible::RadioButton)
        QCOMPARE(i->rect(), onScreen);
}

void TestAccessibility::hoverIsTold_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("nameFrom");
    QTest::addColumn<QString>("nameTo");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QStringList>("panels");

    QTest::newRow("3 -> 8") << QList<Step> { click(3), move(8) } << "3 → 8: отец / дочь"
                            << "отец"
                            << "дочь"
                            << "красный" << QStringList { "", "3", "8" };
    QTest::newRow("3 -> 5") << QList<Step> { click(3), move(5) } << "3 → 5: муж / жена"
                            << "муж"
                            << "жена"
                            << "синий" << QStringList { "", "3", "5" };
    QTest::newRow("3: 8 then 21") << QList<Step> { click(3), move(8), move(21) }
                                  << "3 → 21: зять / тесть"
                                  << "зять"
                                  << "тесть"
                                  << "синий" << QStringList { "", "3", "21" };
    QTest::newRow("1 -> 13, no term")
        << QList<Step> { click(1), move(13) } << "1 → 13: нет определения"
        << ""
        << "нет определения"
        << "белый" << QStringList { "", "1", "13" };
    QTest::newRow("same person") << QList<Step> { click(4), move(4) } << "4 → 4: Я"
                                 << "Я"
                                 << ""
                                 << "белый" << QStringList { "", "4", "4" };
    // Moves that hit nobody leave the pair and tell only the position.
    QTest::newRow("3 -> 8, then a gap")
        << QList<Step> { click(3), move(8), Step { Step::Move, gap } } << "3 → 8: отец / дочь"
        << "отец"
        << "дочь"
        << "красный" << QStringList { "545  5", "3", "8" };
}

void TestAccessibility::hoverIsTold()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QString, picture);
    QFETCH(QString, nameFrom);
    QFETCH(QString, nameTo);
    QFETCH(QString, colour);
    QFETCH(QStringList, panels);

    for (const Step &step : steps)
        perform(step);
    QCOMPARE(text("Image1", QAccessible::Description), picture);
    QCOMPARE(text("Image1", QAccessible::Name), "Семейное древо");
    QCOMPARE(text("NameFrom", QAccessible::Name), nameFrom);
    QCOMPARE(text("NameTo", QAccessible::Name), nameTo);
    QCOMPARE(text("KursorTo", QAccessible::Description), colour);
    QCOMPARE(text("Shape2", QAccessible::Description), colour);
    QCOMPARE(text("KursorFrom", QAccessible::Description), "зелёный");
    // The last step's position, unless a row names it.
    if (panels[0].isEmpty()) {
        const QPoint p = steps.last().at;
        panels[0] = QStringLiteral("%1  %2").arg(p.x()).arg(p.y());
    }
    for (int i = 0; i < StatusPanels::PanelCount; ++i)
        QCOMPARE(text(QStringLiteral("panel%1").arg(i), QAccessible::Name), panels[i]);
}

void TestAccessibility::aPressKeepsThePairTold()
{
    QCOMPARE(PersonBoxes::hitTest(gap), 0);
    // The labels keep the last pair until the next move over a person, and
    // so does the picture's description.
    perform(click(3));
    perform(move(8));
    perform(click(8, 1)); // where the pointer is: no move
    QCOMPARE(form->relations().FromPerson(), 8);
    QCOMPARE(text("Image1", QAccessible::Description), "3 → 8: отец / дочь");
    perform(Step { Step::Move, gap });
    QCOMPARE(text("Image1", QAccessible::Description), "3 → 8: отец / дочь");
    perform(move(5));
    QCOMPARE(text("Image1", QAccessible::Description),
        QStringLiteral("8 → 5: %1 / %2").arg(form->table().term(8, 5), form->table().term(5, 8)));

    // A new pair with the same terms is a new pair.
    const auto [a, b, c] = sameTermsChain();
    QVERIFY2(a, "the table has no chain of three persons with the same terms");
    const QString terms = form->table().term(a, b) + " / " + form->table().term(b, a);
    perform(click(a));
    perform(move(b));
    QCOMPARE(text("Image1", QAccessible::Description),
        QStringLiteral("%1 → %2: %3").arg(a).arg(b).arg(terms));
    perform(click(b, 1));
    perform(move(c));
    QCOMPARE(text("NameFrom", QAccessible::Name), form->table().term(a, b));
    QCOMPARE(text("Image1", QAccessible::Description),
        QStringLiteral("%1 → %2: %3").arg(b).arg(c).arg(terms));
}

void TestAccessibility::gridCellsCarryTheirTerms_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("description");
    QTest::newRow("1, 1: nobody to himself") << 1 << 1 << ""
                                             << "";
    QTest::newRow("1, 2: by marriage") << 1 << 2 << "муж"
                                       << "свойство";
    QTest::newRow("3, 8: by blood") << 3 << 8 << "отец"
                                    << "";
    QTest::newRow("8, 3: by blood") << 8 << 3 << "дочь"
                                    << "";
    QTest::newRow("21, 3: by marriage") << 21 << 3 << "тесть"
                                        << "свойство";
    QTest::newRow("22, 22: the last cell") << 22 << 22 << ""
                                           << "";
}

void TestAccessibility::gridCellsCarryTheirTerms()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, term);
    QFETCH(QString, description);

    auto *grid = child<KinshipGrid>("RodGrid");
    showPageOf(grid);
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(grid);
    QAccessibleTableInterface *table = i->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), KinshipTable::Size);
    QCOMPARE(table->columnCount(), KinshipTable::Size);
    // The headings' person numbers describe the rows and columns.
    QCOMPARE(table->rowDescription(row - 1), QString::number(row));
    QCOMPARE(table->columnDescription(column - 1), QString::number(column));
    QAccessibleInterface *cell = table->cellAt(row - 1, column - 1);
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), term);
    QCOMPARE(cell->text(QAccessible::Description), description);
    QCOMPARE(cell->parent(), i);
    QCOMPARE(i->child(i->indexOfChild(cell)), cell);
    QCOMPARE(form->table().term(row, column), term);
}

void TestAccessibility::cutTermsAreToldOnTheGridAndOnHover()
{
    auto *grid = child<KinshipGrid>("RodGrid");
    showPageOf(grid);
    grid->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 8).center());
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
    QAccessibleTableInterface *table
        = QAccessible::queryAccessibleInterface(grid)->tableInterface();
    QCOMPARE(table->cellAt(2, 7)->text(QAccessible::Name), "");
    QCOMPARE(table->cellAt(7, 2)->text(QAccessible::Name), "дочь");

    child<QTabWidget>("PageControl1")->setCurrentIndex(0);
    perform(click(3));
    perform(move(8));
    QCOMPARE(text("NameFrom", QAccessible::Name), "");
    QCOMPARE(text("NameTo", QAccessible::Name), "нет определения");
    QCOMPARE(text("Image1", QAccessible::Description), "3 → 8: нет определения");
    QCOMPARE(text("KursorTo", QAccessible::Description), "белый");
}

void TestAccessibility::changeEvents_data()
{
    // From the start state, the steps before listening, then the step
    // listened to; what must be heard and what must not.
    QTest::addColumn<QList<Step>>("before");
    QTest::addColumn<Step>("step");
    QTest::addColumn<QStringList>("namesChanged");
    QTest::addColumn<QStringList>("descriptionsChanged");

    // The click on 3 passes over 3 first and shows 1 -> 3, "отец" / "сын",
    // red; 3 is "отец" to 8, red too, so NameFrom and the bars stay silent.
    QTest::newRow("hover 3 -> 8") << QList<Step> { click(3) } << move(8)
                                  << QStringList { "NameTo", "panel0", "panel2" }
                                  << QStringList { "Image1" };
    QTest::newRow("hover on, 8 -> 5") << QList<Step> { click(3), move(8) } << move(5)
                                      << QStringList { "NameFrom", "NameTo", "panel0", "panel2" }
                                      << QStringList { "Image1", "KursorTo", "Shape2" };
    // The same colour again: the bars stay silent.
    QTest::newRow("hover on, 5 -> 21")
        << QList<Step> { click(3), move(5) } << move(21)
        << QStringList { "NameFrom", "NameTo", "panel0", "panel2" } << QStringList { "Image1" };
    QTest::newRow("within one box") << QList<Step> { click(3), move(8) } << move(8, 3)
                                    << QStringList { "panel0" } << QStringList {};
    QTest::newRow("over a gap") << QList<Step> { click(3), move(8) } << Step { Step::Move, gap }
                                << QStringList { "panel0" } << QStringList {};
    QTest::newRow("a press where the pointer is")
        << QList<Step> { click(3), move(8) } << click(8, 1) << QStringList { "panel1" }
        << QStringList {};
    const auto [a, b, c] = sameTermsChain();
    QTest::newRow("a new pair, the same terms")
        << QList<Step> { click(a), move(b), click(b, 1) } << move(c)
        << QStringList { "panel0", "panel2" } << QStringList { "Image1" };
}

void TestAccessibility::changeEvents()
{
    QFETCH(QList<Step>, before);
    QFETCH(Step, step);
    QFETCH(QStringList, namesChanged);
    QFETCH(QStringList, descriptionsChanged);
    if (!eventsDelivered)
        QSKIP("Qt delivers no accessibility events on this platform");

    for (const Step &s : before)
        perform(s);
    listening = true;
    perform(step);
    listening = false;

    // Only what changed is told: a screen reader reads every name and
    // description it hears of again.
    QStringList names = heardFrom(QAccessible::NameChanged);
    QStringList descriptions = heardFrom(QAccessible::DescriptionChanged);
    names.sort();
    descriptions.sort();
    namesChanged.sort();
    descriptionsChanged.sort();
    QCOMPARE(names.join(", "), namesChanged.join(", "));
    QCOMPARE(descriptions.join(", "), descriptionsChanged.join(", "));
}

void TestAccessibility::choosingADegreeIsTold()
{
    if (!eventsDelivered)
        QSKIP("Qt delivers no accessibility events on this platform");
    auto *stepeny = child<RadioGroup>("Stepeny");
    listening = true;
    QTest::mouseClick(stepeny->itemButton(2), Qt::LeftButton);
    listening = false;
    QCOMPARE(stepeny->itemIndex(), 2);

    // The items' check marks: the new one set, the old one cleared.
    QStringList checkedChanges;
    for (const Heard &h : std::as_const(heard))
        if (h.type == QAccessible::StateChanged && h.changed.checked)
            checkedChanges << nameOf(h.object);
    checkedChanges.sort();
    QCOMPARE(checkedChanges, QStringList({ "item0", "item2" }));
    QVERIFY(QAccessible::queryAccessibleInterface(stepeny->itemButton(2))->state().checked);

    // The memo's new text.
    bool memoTold = false;
    for (const Heard &h : std::as_const(heard))
        memoTold |= h.object == child("StepMemo")
            && (h.type == QAccessible::TextInserted || h.type == QAccessible::TextUpdated);
    QVERIFY(memoTold);
    QVERIFY(!text("StepMemo", QAccessible::Value).isEmpty());
    QCOMPARE(
        text("StepMemo", QAccessible::Value), child<QPlainTextEdit>("StepMemo")->toPlainText());
}

void TestAccessibility::cuttingIsToldAsATableChange()
{
    if (!eventsDelivered)
        QSKIP("Qt delivers no accessibility events on this platform");
    auto *grid = child<KinshipGrid>("RodGrid");
    showPageOf(grid);
    grid->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 8).center());
    listening = true;
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
    listening = false;
    bool told = false;
    for (const Heard &h : std::as_const(heard))
        told |= h.object == grid && h.type == QAccessible::TableModelChanged
            && h.modelChange == QAccessibleTableModelChangeEvent::DataChanged;
    QVERIFY(told);
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
