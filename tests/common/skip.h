// Skipping a test that the machine cannot run (no device, no such interface).
// A skip passes silently, so the test command (scripts/test.sh) sets
// KV12_NO_SKIP=1 and such a test then fails instead: where the tests are meant
// to run, nothing is missing, and a test that quietly stopped running would
// hide whatever it was there to catch.
#pragma once

#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

namespace kv12::test {

/// Whether KV12_NO_SKIP asks that a skip fail (set, and neither empty nor "0").
inline bool SkipsFail() {
    const char* value = std::getenv("KV12_NO_SKIP");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

}  // namespace kv12::test

/// Skips the test with the reason, or fails it with the reason when
/// KV12_NO_SKIP is set. Like GTEST_SKIP, it returns from the function, so it
/// belongs in the test body or in SetUp.
#define KV12_SKIP_UNLESS_ALLOWED(reason)                                                            \
    do {                                                                                            \
        if (::kv12::test::SkipsFail()) {                                                            \
            GTEST_FAIL() << "cannot run here: " << (reason)                                         \
                         << " (KV12_NO_SKIP is set: a test that cannot run fails; 0 lets it skip)"; \
        }                                                                                           \
        GTEST_SKIP() << (reason);                                                                   \
    } while (false)
