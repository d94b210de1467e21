// Wall-clock timing for the timing programs of tests/bench, and the lines
// they print, which scripts/bench.sh reads:
//   timing<TAB>ROW<TAB>MEDIAN-MS<TAB>BEST-MS<TAB>RUNS<TAB>NOTE
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace zms::bench {

// Milliseconds on the steady clock (QueryPerformanceCounter under mingw).
double NowMs();

// Runs `work` and returns the milliseconds of each run: at least one run,
// then more until `maxRuns` runs or until the runs together took `budgetMs`.
std::vector<double> TimeRuns(const std::function<void()>& work, int maxRuns, double budgetMs);

double Median(std::vector<double> ms);

// One result line on standard output, flushed at once.
void PrintTiming(const std::string& row, const std::vector<double>& ms, const std::string& note);

// The timing cannot be trusted: throws, so that what the program set up is
// undone on the way out (its main prints the message and returns 1).
[[noreturn]] void Fail(const std::string& message);

// Runs a timing program's body: its exit status, 1 after a Fail or any exception.
int RunTimingProgram(const std::function<void()>& body);

}  // namespace zms::bench
