// SPDX-License-Identifier: MIT
#include "platform/win32/text_scale.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/late_bound.h"

namespace platform {

// Read where Settings writes it and UISettings.TextScaleFactor reads it. The Windows Runtime
// would bring COM apartments and a library that Windows 7 lacks for one number; the registry
// function is looked up, since the program imports nothing beyond the window's own libraries.
int TextScalePercent() {
    using RegGetValueWFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR, LPCWSTR, DWORD, LPDWORD, PVOID, LPDWORD);
    static const auto get = LateBound<RegGetValueWFn>(L"advapi32.dll", "RegGetValueW");
    DWORD value = 0;
    DWORD size = sizeof value;
    if (get == nullptr || get(HKEY_CURRENT_USER,
                              L"Software\\Microsoft\\Accessibility",
                              L"TextScaleFactor",
                              RRF_RT_REG_DWORD,
                              nullptr,
                              &value,
                              &size) != ERROR_SUCCESS) {
        return kNormalTextScale;
    }
    // Settings writes 100 to 225; anything else written by hand is brought within.
    return static_cast<int>(std::clamp<DWORD>(value, kNormalTextScale, kLargestTextScale));
}

}  // namespace platform
