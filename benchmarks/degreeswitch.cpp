// Degree switch: the items of Stepeny chosen in turn, each running
// StepenyClick (the degree's text into the memo, its picture decoded into
// Image1) and the repaint that follows. The floor is decoding the same
// pictures, in the same order, with decodeJpeg and nothing else.
#include "application.h"
#include "degreeresources.h"
#include "degrees.h"
#include "figuretable.h"
#include "form1.h"
#include "jpegdecoder.h"
#include "paintcounter.h"
#include "pairedrounds.h"
#include "pictureview.h"
#include "radiogroup.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);

    TForm1 form;
    form.showMaximized();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fputs("the window was not shown\n", stderr);
        return 2;
    }
    auto *stepeny = form.findChild<RadioGroup *>(QStringLiteral("Stepeny"));
    auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("StepMemo"));

    // Each step chooses another item: 1, 2, ..., 7, then 0 again.
    const QList<int> order { 1, 2, 3, 4, 5, 6, 7, 0 };
    QList<QByteArray> pictures;
    for (int n : order) {
        QFile file(QStringLiteral(":/JPEG/") + Degrees::pictureName(n).toUpper());
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "picture %d is missing\n", n);
            return 2;
        }
        pictures.append(file.readAll());
    }

    // StepenyClick runs once the new item is chosen; choosing it repaints
    // the radio buttons, which is the group's work, not the handler's, and is
    // done before the clock runs. The handler's repaint is a posted update
    // request: handling the posted events paints and flushes it before the
    // clock stops.
    const auto switchTo = [&](int n) {
        stepeny->setItemIndex(n);
        QCoreApplication::processEvents();
        return PairedRounds::time([&] {
            form.StepenyClick();
            QCoreApplication::sendPostedEvents();
        });
    };
    const auto switchAll = [&] {
        double ns = 0;
        for (int n : order)
            ns += switchTo(n);
        return ns;
    };
    const auto decodeAll = [&] {
        for (const QByteArray &bytes : pictures) {
            const QImage image = decodeJpeg(bytes);
            if (image.isNull())
                std::abort();
        }
    };

    // The figure counts only if a click on an item reaches StepenyClick:
    // the memo shows the degree's text and the view its picture.
    QRadioButton *item = stepeny->itemButton(4);
    QTest::mouseClick(
        form.windowHandle(), Qt::LeftButton, {}, item->mapTo(&form, item->rect().center()));
    const QString expected = LoadDegreeText(Degrees::textName(4))
                                 .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QImage shown = form.findChild<PictureView *>(QStringLiteral("Image1"))->picture();
    if (stepeny->itemIndex() != 4 || memo->toPlainText() != expected
        || shown != decodeJpeg(pictures[order.indexOf(4)])) {
        std::fputs("a click on an item does not switch the degree\n", stderr);
        return 2;
    }
    // ... and only if the timed part includes the repaint of the picture.
    PaintCounter picturePaints(form.findChild<QWidget *>(QStringLiteral("Image1")));
    switchTo(5);
    if (picturePaints.count() != 1) {
        std::fprintf(stderr, "the switch repainted the picture %d times\n", picturePaints.count());
        return 2;
    }

    PairedRounds rounds(15);
    rounds.runTimed(
        switchAll, [&] { return PairedRounds::time(decodeAll); }, int(order.size()));
    FigureTable table;
    table.addRatio(QStringLiteral("degree switch: StepenyClick + repaint (floor: decodeJpeg)"),
        rounds.measuredNs / 1e6, rounds.floorNs / 1e6, QStringLiteral("ms"), 1.5);
    table.print();
    return 0;
}
