// SPDX-License-Identifier: MIT
#include "platform/win32/high_contrast.h"

namespace platform {

namespace {

std::optional<bool>& Override() {
    static std::optional<bool> on;
    return on;
}

}  // namespace

bool HighContrastOn() {
    if (Override()) return *Override();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void OverrideHighContrast(std::optional<bool> on) { Override() = on; }

}  // namespace platform
