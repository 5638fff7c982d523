#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>

#include <algorithm>

// Times a task and its floor in alternating rounds, so that a burst of load
// on a shared machine hits both alike, and keeps the median round of each.
class PairedRounds {
public:
    // BENCH_ROUNDS overrides the number of rounds, e.g. BENCH_ROUNDS=1 to
    // run a benchmark under callgrind in reasonable time.
    explicit PairedRounds(int rounds)
        : rounds(qEnvironmentVariableIsSet("BENCH_ROUNDS")
                ? qMax(1, qEnvironmentVariableIntValue("BENCH_ROUNDS"))
                : rounds)
    {
    }

    // Each call of measured() and floor() is one round; the rounds' times in
    // nanoseconds are divided by perRound (the number of operations in a
    // round) to give the time of one operation.
    template <typename Measured, typename Floor>
    void run(Measured measured, Floor floor, int perRound = 1)
    {
        runTimed([&] { return time(measured); }, [&] { return time(floor); }, perRound);
    }

    // The same for tasks that time themselves, leaving out work of their own
    // that is not to be measured: each call returns its round's nanoseconds.
    template <typename Measured, typename Floor>
    void runTimed(Measured measured, Floor floor, int perRound = 1)
    {
        // A first round of each warms caches and lazy initialisations.
        measured();
        floor();
        QList<double> m, f;
        for (int i = 0; i < rounds; ++i) {
            m.append(measured() / perRound);
            f.append(floor() / perRound);
        }
        measuredNs = median(m);
        floorNs = median(f);
    }

    static double median(QList<double> values)
    {
        if (values.isEmpty())
            return 0;
        std::sort(values.begin(), values.end());
        const qsizetype n = values.size();
        return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    }

    template <typename Task> static double time(Task task)
    {
        QElapsedTimer timer;
        timer.start();
        task();
        return double(timer.nsecsElapsed());
    }

    double measuredNs = 0;
    double floorNs = 0;

private:
    int rounds;
};
