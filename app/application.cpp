#include "application.h"

#include "fontsubstitutes.h"

#include <QIcon>
#include <QMessageBox>

#include <exception>

static Application::ErrorReporter &errorReporter()
{
    static Application::ErrorReporter reporter;
    return reporter;
}

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("vetvitsa"));
    setApplicationDisplayName(QStringLiteral("Ветвица"));
    setApplicationVersion(QStringLiteral("1.0"));
    // The same id names the desktop entry and the AppStream metainfo.
    setDesktopFileName(QStringLiteral("org.vetvitsa.Vetvitsa"));
    installFontSubstitutes();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportError(QStringLiteral("Неизвестная ошибка"));
    }
    return false;
}

void Application::setErrorReporter(ErrorReporter reporter)
{
    errorReporter() = std::move(reporter);
}

void Application::reportError(const QString &message)
{
    if (errorReporter()) {
        errorReporter()(message);
        return;
    }
    QMessageBox::critical(activeWindow(), applicationDisplayName(), message);
}
