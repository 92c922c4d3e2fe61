// SPDX-License-Identifier: MIT
#include "platform/win32/failure.h"

namespace platform {

void FailAndEnd(std::string_view what) noexcept {
    // Converted into a fixed buffer: the failure may be that memory ran out. The pupil reads
    // what to do; what went wrong inside is the developer's English, for the fault's report.
    constexpr char kPrefix[] =
        "Програмата спря поради грешка в нея. Съобщете на учителя си.\n\nVrenkodal: ";
    wchar_t text[512] = {};
    int length = MultiByteToWideChar(CP_UTF8, 0, kPrefix, sizeof kPrefix - 1, text, 511);
    const int room = 511 - length;
    const int taken = static_cast<int>(what.size() < 400 ? what.size() : 400);
    length += MultiByteToWideChar(CP_UTF8, 0, what.data(), taken, text + length, room);
    text[length] = L'\0';
    MessageBoxW(nullptr, text, L"Vrenkodal", MB_ICONERROR | MB_OK);
    ExitProcess(3);
}

}  // namespace platform
