#include "application.h"
#include "form1.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TForm1 Form1;
    Form1.showMaximized();
    return app.exec();
}
