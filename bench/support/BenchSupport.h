// What the benchmark programs share: a count of heap allocations (the global operator
// new is replaced in this library) and a report of figures as ratios to their peers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace benchsupport {

// The number of global operator new calls in this process so far.
uint64_t AllocationCount();

// One line of the ratio report: the time per iteration of `benchmark` divided by that
// of `baseline` (full benchmark names as Google Benchmark prints them), against a target.
struct Ratio {
    std::string label;
    std::string benchmark;
    std::string baseline;
    double target;  // the ratio must be at most this
};

// Runs every registered benchmark (command-line flags as Google Benchmark's), then
// prints the ratios. Returns the process exit code.
int RunBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios);

}  // namespace benchsupport
