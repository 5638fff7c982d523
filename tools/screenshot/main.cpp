// Takes the README's screenshots from the real window: opens Form1 as the
// program does, drives it with synthetic mouse and key events and saves the
// window as the screen shows it, one PNG a view, into the folder given.
//   vetvitsa-screenshots <folder>
// Meant for an X display of its own (tools/screenshots runs it under Xvfb).

#include "application.h"
#include "form1.h"
#include "kinshipgrid.h"
#include "personboxes.h"
#include "radiogroup.h"

#include <QDir>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "vetvitsa-screenshots: %s\n", qPrintable(message));
    return 1;
}

class Tour {
public:
    Tour(TForm1 &form, const QString &folder)
        : form(form)
        , folder(folder)
    {
    }

    template <typename T = QWidget> T *child(const char *name) const
    {
        T *w = form.findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    QPoint onPicture(int person, QPoint offset = {}) const
    {
        return child("Image1")->mapTo(&form, PersonBoxes::box(person).center() + offset);
    }

    void click(int person) const
    {
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, onPicture(person));
    }

    void hover(int person) const
    {
        QTest::mouseMove(form.windowHandle(), onPicture(person, { 1, 0 }));
    }

    void showPage(int index) const { child<QTabWidget>("PageControl1")->setCurrentIndex(index); }

    // The window's pixels as the X server holds them, once every change is
    // painted.
    bool save(const QString &name) const
    {
        form.repaint();
        QTest::qWait(300);
        const QPixmap shot = form.screen()->grabWindow(form.winId());
        const QString path = QDir(folder).filePath(name);
        if (shot.isNull() || !shot.save(path, "PNG"))
            return false;
        std::printf("%s (%dx%d)\n", qPrintable(path), shot.width(), shot.height());
        return true;
    }

private:
    TForm1 &form;
    QString folder;
};

} // namespace

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    if (app.arguments().size() != 2)
        return fail(QStringLiteral("usage: vetvitsa-screenshots <folder>"));
    const QString folder = app.arguments().at(1);
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot make %1").arg(folder));

    TForm1 form;
    form.showMaximized();
    if (!QTest::qWaitForWindowExposed(&form))
        return fail(QStringLiteral("the window did not show"));
    // Without a window manager nothing maximises or activates the window.
    // Qt marks it maximised all the same.
    const QRect screenArea = form.screen()->availableGeometry();
    if (form.frameGeometry() != screenArea)
        form.setGeometry(screenArea);
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        return fail(QStringLiteral("the window did not become active"));

    Tour tour(form, folder);
    bool saved = true;

    // Reference person 3, the mouse over 8: "отец" / "дочь", red.
    tour.click(3);
    tour.hover(8);
    saved &= tour.save(QStringLiteral("relations.png"));

    // The second degree of kinship with its text; the same pair still shown.
    QTest::mouseClick(tour.child<RadioGroup>("Stepeny")->itemButton(2), Qt::LeftButton);
    tour.hover(8);
    saved &= tour.save(QStringLiteral("relations-degree.png"));

    tour.showPage(1);
    saved &= tour.save(QStringLiteral("terms.png"));

    // The grid with a block selected from row 3, column 5 to row 8, column 9.
    tour.showPage(2);
    auto *grid = tour.child<KinshipGrid>("RodGrid");
    grid->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(3, 5).center());
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    saved &= tour.save(QStringLiteral("kinship-grid.png"));

    tour.showPage(3);
    saved &= tour.save(QStringLiteral("about.png"));

    return saved ? 0 : fail(QStringLiteral("a screenshot could not be saved"));
}
