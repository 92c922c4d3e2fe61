// SPDX-License-Identifier: MIT
// The Windows program from outside, as a user meets it: it starts, shows its window, and ends
// with status 0 when the window is closed. And a control operation that fails, or a press whose
// handler throws, says so in one message and ends the program. Usage: start_test PROGRAM.exe
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/win32/win32_form.h"
#include "platform/win32/window_text.h"
#include "tests/win32/process.h"
#include "window/binding.h"
#include "window/description.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "start_test: %s\n", what);
    return 1;
}

// Starts a program, waits for its first visible window, lets `act` handle it, and returns the
// program's exit status, or -1 when something went wrong on the way.
template <typename Act>
int Run(std::wstring command, Act act) {
    PROCESS_INFORMATION process{};
    if (!Launch(command, process)) {
        return Fail("the program did not start"), -1;
    }
    HWND window = nullptr;
    for (int tries = 0; tries < 100 && window == nullptr; ++tries) {
        window = VisibleWindowOf(process.dwProcessId);
        if (window == nullptr) Sleep(100);
    }
    DWORD status = static_cast<DWORD>(-1);
    if (window == nullptr) {
        Fail("no window appeared");
    } else {
        act(window);
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &status);
        } else {
            Fail("the program did not end");
        }
    }
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

// The children of the failure checks, each run as this program with its flag: a window asked
// to change a control it does not have, and a press whose handler throws. The throw must not
// reach Windows' own frames, which the 32-bit program cannot unwind through.
int AskForAMissingControl() {
    vrenkodal::WindowBinding binding;
    platform::Win32Form form(vrenkodal::MainWindow(), binding.OnPress());
    form.SetText({"Text9"}, "45");
    return 0;  // not reached: the platform ends the program
}

int PressWithAFailingHandler() {
    platform::Win32Form form(vrenkodal::MainWindow(), [](platform::Form&, platform::ControlRef) {
        throw std::runtime_error("the handler failed");
    });
    const HWND show = form.Widget({"Command1", 0});
    SendMessageW(form.Handle(),
                 WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(show), BN_CLICKED),
                 reinterpret_cast<LPARAM>(show));
    return 0;  // not reached: the platform ends the program
}

struct FailureCase {
    const wchar_t* flag;
    int (*child)();
    const wchar_t* message_names;  // what the message must say
};
constexpr FailureCase kFailures[] = {
    {L"--missing-control", AskForAMissingControl, L"Text9"},
    {L"--failing-press", PressWithAFailingHandler, L"the handler failed"},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (const FailureCase& failure : kFailures) {
        if (argc == 2 && std::wstring(argv[1]) == failure.flag) return failure.child();
    }
    if (argc != 2) return Fail("usage: start_test PROGRAM.exe");
    int failures = 0;

    std::wstring title;
    RECT client{};
    const int closed = Run(L"\"" + std::wstring(argv[1]) + L"\"", [&](HWND window) {
        title = platform::WindowText(window);
        GetClientRect(window, &client);
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    if (title != L"https://www.vrenkodal.example  Vrenkodal") failures += Fail("wrong title");
    if (client.right != 461 || client.bottom != 345) failures += Fail("client area not 461 x 345");
    if (closed != 0) failures += Fail("closing the window did not end the program with 0");

    // A message box says what failed; pressing OK ends the program with a failure status.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (const FailureCase& failure : kFailures) {
        std::wstring message;
        const int failed = Run(L"\"" + std::wstring(self) + L"\" " + failure.flag, [&](HWND box) {
            message =
                platform::WindowText(GetDlgItem(box, 0xFFFF));  // a message box's text has this id
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        if (message.find(failure.message_names) == std::wstring::npos) {
            failures += Fail("the message does not say what failed");
            std::fwprintf(stderr, L"  %ls: \"%ls\"\n", failure.flag, message.c_str());
        }
        if (failed == 0 || failed == -1) failures += Fail("the program went on past the failure");
    }
    return failures == 0 ? 0 : 1;
}
