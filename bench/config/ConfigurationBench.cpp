// Loading the compiled-in configuration: parse, merge, report and build (loggers,
// appenders, layouts created in a fresh factory; nothing started).
#include <benchmark/benchmark.h>

#include "bench/support/BenchSupport.h"
#include "logging/config/ConfigurationLoader.h"
#include "logging/config/DefaultConfiguration.h"
#include "logging/config/XmlParser.h"

using namespace scrivlog;

namespace {

void LoadDefaultConfiguration(benchmark::State& state) {
    std::string errors;
    for (auto _ : state) {
        CLogFactory factory;
        if (!LoadConfiguration(factory, "Tamarack", DefaultConfigurationText, errors, {}))
            state.SkipWithError(errors.c_str());
        benchmark::DoNotOptimize(factory.ConfigurationDump.data());
    }
}
BENCHMARK(LoadDefaultConfiguration)->Unit(benchmark::kMicrosecond);

void ParseDefaultConfiguration(benchmark::State& state) {
    XmlParseSettings settings;
    for (auto _ : state) {
        XmlNode document;
        benchmark::DoNotOptimize(Load(document, DefaultConfigurationText, settings));
    }
}
BENCHMARK(ParseDefaultConfiguration)->Unit(benchmark::kMicrosecond);

// The factory alone, to see what creating and destroying it costs within the load.
void EmptyFactory(benchmark::State& state) {
    for (auto _ : state) {
        CLogFactory factory;
        benchmark::DoNotOptimize(&factory);
    }
}
BENCHMARK(EmptyFactory)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return benchsupport::RunBenchmarks(argc, argv, {});
}
