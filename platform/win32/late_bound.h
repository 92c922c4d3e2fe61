// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace platform {

// A function of a system library, looked up when first needed: for what Windows 7 lacks, and
// for libraries worth loading only when used. nullptr where the system has none.
template <typename Function>
Function LateBound(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryW(library);
    if (module == nullptr) return nullptr;
    // Through a generic function pointer, the documented way to change its type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace platform
