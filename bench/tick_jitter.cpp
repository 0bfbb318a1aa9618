// Seconds lost by the one-second tick over 24 hours of timer jitter, for a
// plain periodic 1000 ms timer and for TickScheduler's mid-second aim.
//
// Model: wall-clock seconds begin at multiples of 1000 ms; each firing
// happens at its planned time plus a jitter drawn uniformly from
// [-J, +J] ms (J = 400 unless given as the first argument), independently
// per firing. The plain timer is a periodic QTimer: Qt plans each timeout
// one interval after the previous planned one, so lateness does not
// accumulate and the phase stays where the program happened to start (drawn
// uniformly per run). The aligned tick plans each firing from the moment
// the previous one actually happened, by TickScheduler::msUntilNextTick.
//
// A second that no tick falls in is lost (the count lags one second more);
// a second that two ticks fall in is the other half of that fault: without
// the same-second rule it would be counted twice.

#include "timer/TickScheduler.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

namespace {

const qint64 daySeconds = 24 * 60 * 60;
const int runs = 20;

struct Result
{
    qint64 lost = 0;
    qint64 doubled = 0;
};

using NextPlan = std::function<qint64(qint64 planned, qint64 fired)>;

Result simulate(qint64 start, int jitterMs, std::mt19937 &random, const NextPlan &next)
{
    std::uniform_int_distribution<int> jitter(-jitterMs, jitterMs);
    std::vector<int> ticksInSecond(std::size_t(daySeconds + 4), 0);
    const qint64 end = start + daySeconds * 1000;
    for (qint64 planned = start; planned < end;) {
        const qint64 fired = planned + jitter(random);
        ++ticksInSecond[std::size_t(fired / 1000)];
        planned = next(planned, fired);
    }
    // The first and last seconds are partly outside the day.
    Result result;
    for (qint64 s = start / 1000 + 1; s < end / 1000 - 1; ++s) {
        result.lost += ticksInSecond[std::size_t(s)] == 0;
        result.doubled += ticksInSecond[std::size_t(s)] >= 2;
    }
    return result;
}

void report(const char *name, const std::vector<Result> &results)
{
    qint64 lost = 0, doubled = 0, worst = 0, best = daySeconds;
    for (const Result &r : results) {
        lost += r.lost;
        doubled += r.doubled;
        worst = std::max(worst, r.lost);
        best = std::min(best, r.lost);
    }
    const double n = double(results.size());
    std::printf("%-8s lost %8.1f s/day (best %lld, worst %lld)   two ticks in one second %8.1f s/day\n",
                name, lost / n, static_cast<long long>(best), static_cast<long long>(worst), doubled / n);
}

} // namespace

int main(int argc, char **argv)
{
    const int jitterMs = argc > 1 ? std::atoi(argv[1]) : 400;
    std::mt19937 random(20060314);
    std::uniform_int_distribution<int> phase(0, 999);

    const NextPlan plain = [](qint64 planned, qint64) { return planned + 1000; };
    const NextPlan aligned = [](qint64, qint64 fired) {
        return fired + TickScheduler::msUntilNextTick(int(fired % 1000));
    };

    std::vector<Result> plainResults, alignedResults;
    for (int run = 0; run < runs; ++run) {
        const qint64 start = 1000 + phase(random);
        plainResults.push_back(simulate(start, jitterMs, random, plain));
        alignedResults.push_back(simulate(start, jitterMs, random, aligned));
    }
    std::printf("24 h of ticks, jitter uniform in +-%d ms, %d runs with random start phase\n", jitterMs, runs);
    report("plain", plainResults);
    report("aligned", alignedResults);
    return 0;
}
