// Start-up: launches the program's start-up (bench_startup_app) and the
// floor (bench_startup_floor, an empty main window) in turns, each several
// times, and compares the medians of the time from launch to the first
// painted frame and of the peak memory at that moment. A second floor, the
// empty window with one label (bench_startup_labelfloor), shows what text
// alone adds to starting up.
#include "figuretable.h"
#include "firstpaintprobe.h"
#include "pairedrounds.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Launch {
    double startupMs = 0;
    double peakMiB = 0;
    int width = 0;
    int height = 0;
};

// Runs the program until it reports its first frame. The clock starts just
// before the process is created, so loading the executable and its
// libraries counts.
Launch launch(const QString &program)
{
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // Qt's notes about the offscreen platform are of no interest here.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const QByteArray path = program.toLocal8Bit();
    char *argv[] = { const_cast<char *>(path.constData()), nullptr };
    pid_t pid = 0;
    const qint64 started = FirstPaintProbe::monotonicNs();
    const int error = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (error != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", path.constData(), std::strerror(error));
        std::exit(2);
    }

    QByteArray reply;
    char buffer[256];
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n > 0)
            reply.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    const QList<QByteArray> fields = reply.trimmed().split(' ');
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || fields.size() != 4) {
        std::fprintf(stderr, "%s did not report its first frame (got \"%s\")\n", path.constData(),
            reply.constData());
        std::exit(2);
    }
    Launch result;
    result.startupMs = double(fields[0].toLongLong() - started) / 1e6;
    result.peakMiB = fields[1].toDouble() / 1024;
    result.width = fields[2].toInt();
    result.height = fields[3].toInt();
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Both programs run without a display, as the tests do.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = qEnvironmentVariableIsSet("BENCH_STARTUP_RUNS")
        ? qEnvironmentVariableIntValue("BENCH_STARTUP_RUNS")
        : 15;
    const QString dir = QCoreApplication::applicationDirPath();
    const QString program = dir + QStringLiteral("/bench_startup_app");
    const QString floor = dir + QStringLiteral("/bench_startup_floor");
    const QString labelFloor = dir + QStringLiteral("/bench_startup_labelfloor");

    // One launch of each fills the page cache; then they take turns, in an
    // order that rotates from run to run.
    const QStringList programs { program, floor, labelFloor };
    for (const QString &p : programs)
        launch(p);
    QList<Launch> launches[3];
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 3; ++k) {
            const int which = (i + k) % 3;
            launches[which].append(launch(programs[which]));
        }
        const Launch &a = launches[0].last();
        const Launch &b = launches[1].last();
        if (a.width != b.width || a.height != b.height) {
            std::fprintf(stderr, "the windows differ in size: %dx%d and %dx%d\n", a.width, a.height,
                b.width, b.height);
            return 2;
        }
    }
    const auto medianOf = [&](int which, double Launch::*field) {
        QList<double> values;
        for (const Launch &l : launches[which])
            values.append(l.*field);
        return PairedRounds::median(values);
    };
    const double ms = medianOf(0, &Launch::startupMs);
    const double floorMedianMs = medianOf(1, &Launch::startupMs);
    const double labelFloorMs = medianOf(2, &Launch::startupMs);
    const double mib = medianOf(0, &Launch::peakMiB);
    const double floorMedianMiB = medianOf(1, &Launch::peakMiB);

    FigureTable table;
    table.addRatio(QStringLiteral("start-up to first frame (median of %1)").arg(runs), ms,
        floorMedianMs, QStringLiteral("ms"), 1.5);
    table.addRatio(QStringLiteral("start-up, floor: the empty window with one label"), ms,
        labelFloorMs, QStringLiteral("ms"), 1.5);
    const double extraMiB = mib - floorMedianMiB;
    table.add({ QStringLiteral("peak memory after start-up (VmHWM)"),
        FigureTable::number(mib, QStringLiteral("MiB")),
        FigureTable::number(floorMedianMiB, QStringLiteral("MiB")),
        (extraMiB < 0 ? QStringLiteral("−") : QStringLiteral("+"))
            + FigureTable::number(qAbs(extraMiB), QStringLiteral("MiB")),
        QStringLiteral("≤ floor + 15 MiB"), extraMiB <= 15 });
    table.print();
    return 0;
}
