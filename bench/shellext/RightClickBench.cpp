// One right-click on a file, natively on the stand-in shell: get the class object,
// create the handler, Initialize with one path, QueryContextMenu, release. Side by side
// with the floor of the stand-in menu itself (the same eight insertions, nothing else);
// then the absolute time per right-click against its 10 microsecond target.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "bench/support/BenchSupport.h"
#include "platform/shell/StandInShellServices.h"
#include "shellext/DllExports.h"
#include "shellext/Module.h"
#include "tests/shellext/StandInDataObject.h"

namespace {

using platform::shell::StandInMenu;
using platform::shell::StandInShellServices;

const char* const Path = "C:\\Users\\someone\\Documents\\quarterly report.txt";

// The stand-in shell with one file, installed while it lives.
struct Shell {
    Shell() {
        services.files[Path].times = {1, 1, 1};
        platform::shell::SetServices(&services);
        tamarack::AllocBitmap(nullptr);
        menu.entries.reserve(16);
    }
    ~Shell() {
        tamarack::FreeBitmap();
        platform::shell::SetServices(nullptr);
    }
    StandInShellServices services;
    StandInMenu menu;
};

HRESULT RightClick(shellexttest::StandInDataObject& data, StandInMenu& menu) {
    IClassFactory* factory = nullptr;
    DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IClassFactory,
                      reinterpret_cast<void**>(&factory));
    IShellExtInit* init = nullptr;
    factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init));
    factory->Release();
    init->Initialize(nullptr, &data, nullptr);
    IContextMenu* handler = nullptr;
    init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&handler));
    init->Release();
    menu.entries.clear();
    HRESULT result = handler->QueryContextMenu(menu.Handle(), 0, 1, 0x7FFF, CMF_NORMAL);
    handler->Release();
    return result;
}

void ShellExt_RightClick(benchmark::State& state) {
    Shell shell;
    shellexttest::StandInDataObject data({Path});
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(RightClick(data, shell.menu));
    state.counters["allocs/click"] =
        benchmark::Counter(static_cast<double>(benchsupport::AllocationCount() - before) /
                           static_cast<double>(state.iterations()));
}
BENCHMARK(ShellExt_RightClick);

void StandInMenu_EightInsertions(benchmark::State& state) {
    Shell shell;
    static const char* const captions[] = {"",
                                           "Shell (Current directory)",
                                           "Copy to Clipboard (Current directory)",
                                           "Copy to Clipboard (x)",
                                           "",
                                           "Touch x (cur date/time)",
                                           "Touch x ...",
                                           ""};
    for (auto _ : state) {
        shell.menu.entries.clear();
        for (UINT i = 0; i < 8; ++i)
            shell.services.InsertMenuEntry(shell.menu.Handle(), i, MF_BYPOSITION, i, captions[i]);
        benchmark::DoNotOptimize(shell.menu.entries.data());
    }
}
BENCHMARK(StandInMenu_EightInsertions);

// The absolute figure: the mean of many right-clicks, in microseconds.
void ReportAbsolute() {
    Shell shell;
    shellexttest::StandInDataObject data({Path});
    constexpr int Clicks = 200000;
    HRESULT last = 0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Clicks; ++i)
        last = RightClick(data, shell.menu);
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    double perClick = elapsed.count() / Clicks;
    std::printf("\none right-click (%d entries, result %d): %.3f us, target 10 us %s\n",
                static_cast<int>(shell.menu.entries.size()), static_cast<int>(last), perClick,
                perClick <= 10.0 ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    int status =
        benchsupport::RunBenchmarks(argc, argv,
                                    {{"right-click / the stand-in menu's own eight insertions",
                                      "ShellExt_RightClick", "StandInMenu_EightInsertions", 4.0}});
    ReportAbsolute();
    return status;
}
