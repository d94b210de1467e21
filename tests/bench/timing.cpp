#include "tests/bench/timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace zms::bench {

double NowMs() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

std::vector<double> TimeRuns(const std::function<void()>& work, int maxRuns, double budgetMs) {
    std::vector<double> ms;
    double total = 0;
    while (ms.empty() || (static_cast<int>(ms.size()) < maxRuns && total < budgetMs)) {
        const double start = NowMs();
        work();
        ms.push_back(NowMs() - start);
        total += ms.back();
    }
    return ms;
}

double Median(std::vector<double> ms) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}

void PrintTiming(const std::string& row, const std::vector<double>& ms, const std::string& note) {
    const double best = ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end());
    std::printf("timing\t%s\t%.3f\t%.3f\t%zu\t%s\n", row.c_str(), Median(ms), best, ms.size(),
                note.c_str());
    std::fflush(stdout);
}

void Fail(const std::string& message) { throw std::runtime_error(message); }

int RunTimingProgram(const std::function<void()>& body) {
    try {
        body();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "timing: %s\n", e.what());
        return 1;
    }
}

}  // namespace zms::bench
