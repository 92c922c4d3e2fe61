// SPDX-License-Identifier: MIT
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "kind/kind_of_years.h"

namespace vrenkodal {
namespace {

struct ClassifyRow {
    const char* name;
    double age;
    KindOfYears expected;
};

class ClassifyAgeTest : public testing::TestWithParam<ClassifyRow> {};

TEST_P(ClassifyAgeTest, PicksTheKindWhoseRangeHoldsTheAge) {
    EXPECT_EQ(ClassifyAge(GetParam().age), GetParam().expected) << "age " << GetParam().age;
}

constexpr double kLargest = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(
    Bounds,
    ClassifyAgeTest,
    testing::Values(ClassifyRow{"lowest_double_is_human", -kLargest, KindOfYears::Human},
                    ClassifyRow{"negative_is_human", -5, KindOfYears::Human},
                    ClassifyRow{"zero_is_human", 0, KindOfYears::Human},
                    ClassifyRow{"seven_is_human", 7, KindOfYears::Human},
                    ClassifyRow{"thirty_is_still_human", 30, KindOfYears::Human},
                    ClassifyRow{"next_double_after_thirty_is_horse",
                                std::nextafter(30.0, 31.0),
                                KindOfYears::Horse},
                    ClassifyRow{"thirty_and_a_half_is_horse", 30.5, KindOfYears::Horse},
                    ClassifyRow{"thirty_one_is_horse", 31, KindOfYears::Horse},
                    ClassifyRow{"forty_is_still_horse", 40, KindOfYears::Horse},
                    ClassifyRow{"forty_one_is_ox", 41, KindOfYears::Ox},
                    ClassifyRow{"fifty_is_still_ox", 50, KindOfYears::Ox},
                    ClassifyRow{"fifty_one_is_dog", 51, KindOfYears::Dog},
                    ClassifyRow{"sixty_is_still_dog", 60, KindOfYears::Dog},
                    ClassifyRow{"sixty_and_a_thousandth_is_monkey", 60.001, KindOfYears::Monkey},
                    ClassifyRow{"sixty_one_is_monkey", 61, KindOfYears::Monkey},
                    ClassifyRow{"past_the_prompts_seventy_is_monkey", 99, KindOfYears::Monkey},
                    ClassifyRow{"largest_double_is_monkey", kLargest, KindOfYears::Monkey},
                    ClassifyRow{"infinity_is_monkey",
                                std::numeric_limits<double>::infinity(),
                                KindOfYears::Monkey},
                    ClassifyRow{"nan_compares_with_nothing_and_stays_human",
                                std::numeric_limits<double>::quiet_NaN(),
                                KindOfYears::Human}),
    [](const testing::TestParamInfo<ClassifyRow>& info) { return info.param.name; });

}  // namespace
}  // namespace vrenkodal
