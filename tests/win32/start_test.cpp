// Starts the real vrenkodal.exe, finds its window, closes it as a user would, and checks that
// the program ends with status 0. Usage: start_test PROGRAM.exe
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

int Fail(const char* what) {
    std::fprintf(stderr, "start_test: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return Fail("usage: start_test PROGRAM.exe");
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr,
                        command.data(),
                        nullptr,
                        nullptr,
                        FALSE,
                        0,
                        nullptr,
                        nullptr,
                        &startup,
                        &process)) {
        return Fail("the program did not start");
    }
    WaitForInputIdle(process.hProcess, 10000);
    Search search{process.dwProcessId, nullptr};
    for (int tries = 0; tries < 100 && search.window == nullptr; ++tries) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.window == nullptr) Sleep(100);
    }
    if (search.window == nullptr) return Fail("no window appeared");

    wchar_t title[128] = {};
    GetWindowTextW(search.window, title, 128);
    RECT client{};
    GetClientRect(search.window, &client);
    PostMessageW(search.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the program did not end when its window closed");
    }
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    int failures = 0;
    if (std::wstring(title) != L"https://www.vrenkodal.example  Vrenkodal")
        failures += Fail("wrong title");
    if (client.right != 461 || client.bottom != 345)
        failures += Fail("client area is not 461 x 345");
    if (status != 0) failures += Fail("the exit status is not 0");
    return failures == 0 ? 0 : 1;
}
