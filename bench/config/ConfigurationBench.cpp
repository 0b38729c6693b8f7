// Loading the compiled-in configuration: parse, merge, report and build (loggers,
// appenders, layouts created in a fresh factory; nothing started).
#include <benchmark/benchmark.h>

#include <string>

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

// A user file of 1 MiB: the top element holds 256 KiB of text followed by thousands of
// children (the shape that once made parsing quadratic): categories that all name one
// appender, whose parameters pile up. Loaded after the compiled-in text, as the module
// does.
std::string LargeUserConfiguration() {
    std::string text = "<logger:configuration>";
    while (text.size() < (1u << 18))
        text += "Notes on the settings of this machine. ";
    text += "\n<root><priority value=\"Error\"/></root>\n";
    for (int i = 0; text.size() < (1u << 20); ++i) {
        std::string number = std::to_string(i);
        text += "<category name=\"app.part" + number +
                "\" additivity=\"false\"><priority value=\"Debug\"/>"
                "<appender-ref ref=\"Console\"/></category>\n"
                "<appender name=\"Console\" class=\"ConsoleAppender\">"
                "<param name=\"Threshold\" value=\"Debug\"/></appender>\n";
    }
    return text + "</logger:configuration>\n";
}

void ParseLargeConfiguration(benchmark::State& state) {
    const std::string text = LargeUserConfiguration();
    XmlParseSettings settings;
    for (auto _ : state) {
        XmlNode document;
        benchmark::DoNotOptimize(Load(document, text, settings));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseLargeConfiguration)->Unit(benchmark::kMicrosecond);

void LoadLargeConfiguration(benchmark::State& state) {
    const std::string text = LargeUserConfiguration();
    std::string errors;
    for (auto _ : state) {
        CLogFactory factory;
        if (!LoadConfiguration(factory, "Tamarack", DefaultConfigurationText, errors, text))
            state.SkipWithError(errors.c_str());
        benchmark::DoNotOptimize(factory.ConfigurationDump.data());
    }
}
BENCHMARK(LoadLargeConfiguration)->Unit(benchmark::kMicrosecond);

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
    // Times are compared in one unit (microseconds). Linear loading takes about as much
    // longer as the text is longer; allow twice that.
    double sizeRatio = static_cast<double>(LargeUserConfiguration().size()) /
                       static_cast<double>(std::string_view(DefaultConfigurationText).size());
    return benchsupport::RunBenchmarks(
        argc, argv,
        {{"load: 1 MiB user file / compiled-in (linear: ~size ratio)", "LoadLargeConfiguration",
          "LoadDefaultConfiguration", 2 * sizeRatio}});
}
