#pragma once

#include <QApplication>

#include <functional>

// The application object. An exception that escapes an event handler ends
// that handler only: its message is shown in an error box and the program
// goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    using ErrorReporter = std::function<void(const QString &message)>;

    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Tests replace the message box with a recorder; an empty reporter
    // restores the message box.
    static void setErrorReporter(ErrorReporter reporter);
    static void reportError(const QString &message);
};
