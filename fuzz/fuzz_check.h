// The fuzz targets' assertion: a violated invariant aborts, which libFuzzer
// reports with the input that caused it; the condition is named on stderr.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace plx::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

}  // namespace plx::fuzz

#define FUZZ_CHECK(condition) ((condition) ? void(0) : ::plx::fuzz::Fail(#condition, __FILE__, __LINE__))
