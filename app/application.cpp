#include "application.h"

#include "fontsubstitutes.h"

#include <QIcon>
#include <QMessageBox>

#include <exception>

#ifdef __GLIBC__
#include <malloc.h>
#endif

static Application::ErrorReporter &errorReporter()
{
    static Application::ErrorReporter reporter;
    return reporter;
}

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
#ifdef __GLIBC__
    // Every degree switch replaces a picture of almost a megabyte. By
    // default glibc hands such freed memory back to the system and the next
    // picture faults it in again page by page; kept in the heap, it is
    // reused. Only blocks of 4 MiB and more (huge pastes) get their own
    // mappings, and up to 16 MiB of free heap is kept.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
#endif
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
