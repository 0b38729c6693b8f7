// The log call: a call filtered by the logger's threshold, and a delivered call to an
// appender that writes nothing, side by side with spdlog's equivalents; with the heap
// allocations per call.
#include <benchmark/benchmark.h>
#include <spdlog/sinks/null_sink.h>
#include <spdlog/spdlog.h>

#include "bench/support/BenchSupport.h"
#include "logging/core/CAppenderSkeleton.h"
#include "logging/core/CLogger.h"

using namespace scrivlog;

namespace {

void ReportAllocations(benchmark::State& state, uint64_t before) {
    state.counters["allocs/call"] =
        benchmark::Counter(static_cast<double>(benchsupport::AllocationCount() - before) /
                           static_cast<double>(state.iterations()));
}

void Scrivlog_FilteredCall(benchmark::State& state) {
    CAppenderSkeleton appender("Null", Levels::All);
    std::string error;
    appender.Start(error);
    CLogger logger("bench.logger", Levels::Error, true);
    logger.AddAppender(&appender);
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(logger.LogDebug("value %d of %s", 42, "text"));
    ReportAllocations(state, before);
}
BENCHMARK(Scrivlog_FilteredCall);

void Spdlog_FilteredCall(benchmark::State& state) {
    auto sink = std::make_shared<spdlog::sinks::null_sink_st>();
    spdlog::logger logger("bench.logger", sink);
    logger.set_level(spdlog::level::err);
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        logger.debug("value {} of {}", 42, "text");
    ReportAllocations(state, before);
}
BENCHMARK(Spdlog_FilteredCall);

void Scrivlog_DeliveredCall(benchmark::State& state) {
    CAppenderSkeleton appender("Null", Levels::All);
    std::string error;
    appender.Start(error);
    CLogger logger("bench.logger", Levels::Debug, true);
    logger.AddAppender(&appender);
    logger.LogDebug("warm up");
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            logger.LogDebug("value %d of %s, a message of ordinary length", 42, "text"));
    ReportAllocations(state, before);
}
BENCHMARK(Scrivlog_DeliveredCall);

void Spdlog_DeliveredCall(benchmark::State& state) {
    auto sink = std::make_shared<spdlog::sinks::null_sink_mt>();
    spdlog::logger logger("bench.logger", sink);
    logger.set_level(spdlog::level::debug);
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        logger.debug("value {} of {}, a message of ordinary length", 42, "text");
    ReportAllocations(state, before);
}
BENCHMARK(Spdlog_DeliveredCall);

}  // namespace

int main(int argc, char** argv) {
    return benchsupport::RunBenchmarks(argc, argv,
                                       {{"filtered LogDebug / spdlog filtered debug",
                                         "Scrivlog_FilteredCall", "Spdlog_FilteredCall", 2.0}});
}
