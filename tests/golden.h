// Outputs pinned byte for byte: tests/golden/NAME holds what a run must give. After a
// change meant to alter an output, KOVEL_UPDATE_GOLDEN=1 rewrites the files from this
// build; the diff then shows every byte that moved.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace golden {

inline std::filesystem::path path(const std::string &name)
{
    return std::filesystem::path(KOVEL_TEST_DATA) / "golden" / name;
}

inline std::string read(const std::string &name)
{
    std::ifstream in(path(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The first line where two texts part, for a readable failure.
inline std::string firstDifference(const std::string &expected, const std::string &actual)
{
    std::size_t at = 0, line = 1;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        line += expected[at++] == '\n';
    const std::size_t begin = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
    return "line " + std::to_string(line) + ":\n  expected: " + expected.substr(from, expected.find('\n', from) - from) +
           "\n  actual:   " + actual.substr(from, actual.find('\n', from) - from);
}

inline void expectSame(const std::string &actual, const std::string &name)
{
    if (std::getenv("KOVEL_UPDATE_GOLDEN")) {
        std::ofstream(path(name), std::ios::binary) << actual;
        return;
    }
    const std::string expected = read(name);
    ASSERT_FALSE(expected.empty()) << "no golden file " << path(name);
    EXPECT_TRUE(actual == expected) << name << " differs at " << firstDifference(expected, actual);
}

} // namespace golden
