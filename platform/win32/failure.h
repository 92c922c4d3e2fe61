// SPDX-License-Identifier: MIT
#pragma once

// A control operation the window cannot carry out is a fault of the program: it is said once,
// in a message box, and the program ends rather than go on with a window that no longer
// matches its state.

#include <windows.h>

#include <exception>
#include <string_view>

namespace platform {

[[noreturn]] void FailAndEnd(std::string_view what) noexcept;

// Runs the body of a procedure that Windows calls (a window procedure, a subclass, a COM
// method). No exception may leave it: the 32-bit program unwinds with DWARF tables, which
// cannot pass through Windows' own frames, and on 64-bit the window would be left half-changed.
template <typename Body>
auto NoThrow(Body&& body) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const std::exception& error) {
        FailAndEnd(error.what());
    } catch (...) {
        FailAndEnd("an unknown failure");
    }
}

}  // namespace platform
