// SPDX-License-Identifier: MIT
#include "kind/kind_of_years.h"

namespace vrenkodal {

namespace {

constexpr std::array<std::string_view, kAllKinds.size()> kCaptions = {
    "Човешки",
    "Конски",
    "Волски",
    "Кучешки",
    "Маймунски",
};

// The upper bound of the human, horse, ox and dog years; above the last one the monkey's.
constexpr double kHumanUntil = 30;
constexpr double kHorseUntil = 40;
constexpr double kOxUntil = 50;
constexpr double kDogUntil = 60;

}  // namespace

std::string_view Caption(KindOfYears kind) { return kCaptions.at(static_cast<std::size_t>(kind)); }

KindOfYears ClassifyAge(double age) {
    // All five tests run in turn and the last that holds decides; only one can hold.
    KindOfYears kind = KindOfYears::Human;
    if (age <= kHumanUntil) kind = KindOfYears::Human;
    if (age > kHumanUntil && age <= kHorseUntil) kind = KindOfYears::Horse;
    if (age > kHorseUntil && age <= kOxUntil) kind = KindOfYears::Ox;
    if (age > kOxUntil && age <= kDogUntil) kind = KindOfYears::Dog;
    if (age > kDogUntil) kind = KindOfYears::Monkey;
    return kind;
}

}  // namespace vrenkodal
