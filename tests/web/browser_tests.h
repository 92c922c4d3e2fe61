// SPDX-License-Identifier: MIT
#pragma once

// The main of a browser test binary: one browser for all its tests (headless Chromium, or the
// one VRENKODAL_BROWSER names), on the page that `make web` built.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/web/webdriver.h"

namespace webdriver {

inline int RunTestsInBrowser(int argc, char** argv, Session*& session, int width, int height) {
    testing::InitGoogleTest(&argc, argv);
    if (!std::filesystem::exists(VRENKODAL_WEB_PAGE)) {
        std::fprintf(stderr, "no page at %s: `make web` builds it\n", VRENKODAL_WEB_PAGE);
        return 1;
    }
    try {
        Session browser(width, height, BrowserFromEnvironment());
        session = &browser;
        return RUN_ALL_TESTS();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

}  // namespace webdriver
