// The floor of start-up: the same toolkit opening an empty main window,
// maximised like ours, with the same probe.
#include "firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    FirstPaintProbe probe(&window);
    window.showMaximized();
    return app.exec();
}
