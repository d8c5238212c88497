// What every town name looks like, wherever it comes from (the generator or
// the name command): words split at single spaces, each capitalised.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> woerter_von(const std::string& name) {
    std::vector<std::string> woerter;
    std::istringstream in(name);
    for (std::string w; in >> w;)
        woerter.push_back(w);
    return woerter;
}

// A name of `anzahl` words, no space at either end or twice, each word an
// upper-case letter and then lower case only.
inline ::testing::AssertionResult namensform(const std::string& name, std::size_t anzahl) {
    const auto falsch = [&](const char* was) {
        return ::testing::AssertionFailure() << "'" << name << "': " << was;
    };
    if (name.empty()) return falsch("empty");
    if (name.front() == ' ' || name.back() == ' ') return falsch("a space at an end");
    if (name.find("  ") != std::string::npos) return falsch("two spaces");
    const auto woerter = woerter_von(name);
    if (woerter.size() != anzahl) return falsch("another number of words");
    for (const auto& w : woerter) {
        if (!std::isupper(static_cast<unsigned char>(w[0]))) return falsch("a word in lower case");
        for (std::size_t k = 1; k < w.size(); ++k)
            if (std::isupper(static_cast<unsigned char>(w[k])))
                return falsch("a capital inside a word");
    }
    return ::testing::AssertionSuccess();
}
