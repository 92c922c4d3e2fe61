// SPDX-License-Identifier: MIT
// The toolkit switches the process to the user's locale, and a Bulgarian one writes decimal
// commas. The age text must not follow it.
#include <clocale>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "kind/age_text.h"
#include "kind/report.h"

namespace vrenkodal {
namespace {

class CommaLocaleTest : public testing::Test {
  protected:
    void SetUp() override {
#ifdef __EMSCRIPTEN__
        GTEST_SKIP() << "the browser's C library knows no locale that writes a comma";
#endif
        saved_ = std::setlocale(LC_ALL, nullptr);
        // glibc's name first, then the Windows C runtime's.
        bool set = false;
        for (const char* name : {"bg_BG.UTF-8", "Bulgarian_Bulgaria.1251", "bg-BG"}) {
            if (!set) set = std::setlocale(LC_ALL, name) != nullptr;
        }
        ASSERT_TRUE(set) << "no Bulgarian locale; on Linux scripts/setup generates bg_BG.UTF-8";
        // The trap is live: the C library itself now writes a comma.
        char printed[16];
        std::snprintf(printed, sizeof printed, "%.1f", 0.5);
        ASSERT_STREQ(printed, "0,5");
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

  private:
    std::string saved_;
};

TEST_F(CommaLocaleTest, ParseAgeReadsThePointAndStopsAtTheComma) {
    EXPECT_EQ(ParseAge("0.5"), 0.5);
    EXPECT_EQ(ParseAge("30.5"), 30.5);
    EXPECT_EQ(ParseAge("3,5"), 3);
}

TEST_F(CommaLocaleTest, FormatAgeWritesAPoint) {
    EXPECT_EQ(FormatAge(0.5), "0.5");
    EXPECT_EQ(FormatAge(60.001), "60.001");
    EXPECT_EQ(Report(".5"), "Въведени години: 0.5\r\nтип: Човешки\r\n");
}

}  // namespace
}  // namespace vrenkodal
