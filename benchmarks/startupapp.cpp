// The program's start-up as app/main.cpp does it, with a probe that reports
// the first painted frame and ends the process.
#include "application.h"
#include "firstpaintprobe.h"
#include "form1.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TForm1 Form1;
    FirstPaintProbe probe(&Form1);
    Form1.showMaximized();
    return app.exec();
}
