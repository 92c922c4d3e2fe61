// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vrenkodal {

// The index of a kind is also the index of the option button that shows it.
enum class KindOfYears : std::int32_t {
    Human = 0,
    Horse = 1,
    Ox = 2,
    Dog = 3,
    Monkey = 4,
};

inline constexpr std::array<KindOfYears, 5> kAllKinds = {
    KindOfYears::Human,
    KindOfYears::Horse,
    KindOfYears::Ox,
    KindOfYears::Dog,
    KindOfYears::Monkey,
};

constexpr int IndexOf(KindOfYears kind) { return static_cast<int>(kind); }

// The caption of the option button for the kind, which the report quotes.
std::string_view Caption(KindOfYears kind);

// Years up to 30 are human; each following decade belongs to an animal. Each upper bound
// belongs to the lower kind, there is no lower or upper limit, and an age that compares
// with nothing (NaN) stays human.
KindOfYears ClassifyAge(double age);

}  // namespace vrenkodal
