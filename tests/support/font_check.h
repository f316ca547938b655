// Font tests: on a machine without the game's fonts they are skipped, but where the set-up
// script has installed them (it sets CI) a missing font is a failure, not a skip.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#define PELEA_NEEDS_FONT(ready)                                              \
    do {                                                                     \
        if (!(ready)) {                                                      \
            if (std::getenv("CI") != nullptr) FAIL() << "no font installed"; \
            GTEST_SKIP() << "no font";                                       \
        }                                                                    \
    } while (false)
