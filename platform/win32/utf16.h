// SPDX-License-Identifier: MIT
#pragma once

// The program's texts are UTF-8; Windows speaks UTF-16. These convert at that boundary and
// never fail: what cannot be converted (half of a surrogate pair that a two-unit limit cut off,
// a stray byte) becomes U+FFFD, the replacement character.

#include <string>
#include <string_view>

namespace platform {

std::wstring ToUtf16(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);

}  // namespace platform
