// SPDX-License-Identifier: MIT
#include "platform/win32/icon.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

namespace {

// One colour of the image as premultiplied BGRA, the layout of a 32-bit icon bitmap.
std::uint32_t ReadColour(const char* line) {
    const char* colour = std::strstr(line, " c ");
    if (colour == nullptr) return 0;
    colour += 3;
    while (*colour == ' ') ++colour;
    if (*colour != '#') return 0;  // "None": transparent
    const unsigned long rgb = std::strtoul(colour + 1, nullptr, 16);
    return 0xFF000000u | static_cast<std::uint32_t>(rgb & 0xFFFFFF);
}

// The four numbers of the header line: width, height, colours, characters per pixel.
bool ReadHeader(const char* line, int (&numbers)[4]) {
    for (int& number : numbers) {
        char* end = nullptr;
        const long value = std::strtol(line, &end, 10);
        if (end == line || value <= 0 || value > 4096) return false;
        number = static_cast<int>(value);
        line = end;
    }
    return true;
}

}  // namespace

HICON IconFromXpm(std::span<const char* const> xpm) {
    int numbers[4] = {};
    if (xpm.empty() || !ReadHeader(xpm[0], numbers)) return nullptr;
    const auto [width, height, colours, chars] = numbers;
    if (xpm.size() != static_cast<std::size_t>(1 + colours + height)) return nullptr;
    std::vector<std::pair<std::string_view, std::uint32_t>> palette;
    for (int i = 0; i < colours; ++i) {
        const char* line = xpm[1 + i];
        if (std::strlen(line) < static_cast<std::size_t>(chars)) return nullptr;
        palette.emplace_back(std::string_view(line, chars), ReadColour(line + chars - 1));
    }
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const char* row = xpm[1 + colours + y];
        if (std::strlen(row) < static_cast<std::size_t>(width * chars)) return nullptr;
        for (int x = 0; x < width; ++x) {
            const std::string_view key(row + x * chars, chars);
            std::uint32_t pixel = 0;  // a key the palette lacks: transparent
            for (const auto& [known, colour] : palette) {
                if (known == key) pixel = colour;
            }
            pixels.push_back(pixel);
        }
    }

    // A top-down 32-bit colour bitmap with alpha; the mask is unused but required.
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = width;
    header.bV5Height = -height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HBITMAP colour = CreateDIBSection(
        screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (colour == nullptr) return nullptr;
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    // Monochrome rows are padded to whole 16-bit words; all zero, the alpha decides.
    const std::vector<std::uint8_t> no_mask(static_cast<std::size_t>((width + 15) / 16) * 2 *
                                            height);
    const HBITMAP mask = CreateBitmap(width, height, 1, 1, no_mask.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

}  // namespace platform
