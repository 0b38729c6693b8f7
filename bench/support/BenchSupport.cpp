#include "bench/support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>

namespace {
std::atomic<uint64_t> g_allocations{0};
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace benchsupport {

uint64_t AllocationCount() {
    return g_allocations.load(std::memory_order_relaxed);
}

namespace {

// The console report, remembering each benchmark's time per iteration.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int RunBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-60s %10s %10s\n", "ratio", "measured", "target");
    bool allMet = true;
    for (const Ratio& ratio : ratios) {
        auto measured = reporter.times.find(ratio.benchmark);
        auto baseline = reporter.times.find(ratio.baseline);
        if (measured == reporter.times.end() || baseline == reporter.times.end() ||
            baseline->second <= 0) {
            std::printf("%-60s %10s %9.2fx\n", ratio.label.c_str(), "not run", ratio.target);
            continue;
        }
        double value = measured->second / baseline->second;
        bool met = value <= ratio.target;
        allMet = allMet && met;
        std::printf("%-60s %9.2fx %9.2fx %s\n", ratio.label.c_str(), value, ratio.target,
                    met ? "" : "MISSED");
    }
    std::printf("%s\n", allMet ? "all targets met" : "some targets missed");
    return 0;
}

}  // namespace benchsupport
