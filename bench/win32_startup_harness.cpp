// SPDX-License-Identifier: MIT
// Start-up to the first frame of Windows programs, side by side, inside one Wine session so
// that Wine's own start is not counted. Usage: win32_startup_harness RUNS NAME=COMMAND ...
// A program has shown its first frame when its window is visible and its thread has gone idle
// waiting for input, after handling the paint that showing the window queued.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/process.h"

namespace {

struct Program {
    std::wstring name;
    std::wstring path;  // and its arguments
    std::vector<double> milliseconds;
    std::vector<double> peak_mib;
};

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool StartOnce(Program& program, bool record) {
    std::wstring command = program.path;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!Launch(command, process)) {
        return false;
    }
    HWND window = nullptr;
    while (window == nullptr) {
        WaitForInputIdle(process.hProcess, 10000);
        window = VisibleWindowOf(process.dwProcessId);
        if (window == nullptr) Sleep(0);
    }
    WaitForInputIdle(process.hProcess, 10000);
    const double shown = Now() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (record) {
        program.milliseconds.push_back(shown);
        program.peak_mib.push_back(static_cast<double>(memory.PeakWorkingSetSize) /
                                   (1024.0 * 1024.0));
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: win32_startup_harness RUNS NAME=PROGRAM.exe ...\n", stderr);
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const auto equals = argument.find(L'=');
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}});
    }
    for (Program& program : programs) {
        if (!StartOnce(program, false)) {
            std::fwprintf(stderr, L"cannot start %ls\n", program.path.c_str());
            return 1;
        }
    }
    // Take turns, the first to start rotating from run to run.
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            StartOnce(programs[(run + i) % programs.size()], true);
        }
    }
    std::wprintf(L"| %d runs each, in rotating order, under Wine |", runs);
    for (const Program& program : programs) std::wprintf(L" %ls |", program.name.c_str());
    for (std::size_t i = 1; i < programs.size(); ++i) {
        std::wprintf(L" %ls / %ls |", programs[0].name.c_str(), programs[i].name.c_str());
    }
    std::wprintf(L"\n|---|");
    for (std::size_t i = 1; i < 2 * programs.size(); ++i) std::wprintf(L"---|");
    const auto row = [&](const wchar_t* label, auto measure) {
        std::wprintf(L"\n| %ls |", label);
        for (const Program& program : programs) std::wprintf(L" %.1f |", measure(program));
        for (std::size_t i = 1; i < programs.size(); ++i) {
            std::wprintf(L" %.2f |", measure(programs[0]) / measure(programs[i]));
        }
    };
    row(L"start to first frame, median (ms)",
        [](const Program& p) { return Median(p.milliseconds); });
    row(L"start to first frame, fastest (ms)", [](const Program& p) {
        return *std::min_element(p.milliseconds.begin(), p.milliseconds.end());
    });
    row(L"peak working set at first frame, median (MiB)",
        [](const Program& p) { return Median(p.peak_mib); });
    std::wprintf(L"\n");
    return 0;
}
