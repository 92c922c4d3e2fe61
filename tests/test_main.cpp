// SPDX-License-Identifier: MIT
#include <clocale>

#include <gtest/gtest.h>

// The windowing toolkit adopts the user's locale at start-up; do the same, so that each run
// of the suite (ctest runs it under several LC_ALL values) tests the code as the program
// runs it.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
