// A second floor of start-up: the same empty main window with one line of
// text in it. Text costs what no empty window pays: the font configuration
// is read and a face is loaded and rasterised. This floor shows how much of
// the program's start-up that alone takes.
#include "firstpaintprobe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Ветвица Версия 1.0"), &window));
    FirstPaintProbe probe(&window);
    window.showMaximized();
    return app.exec();
}
