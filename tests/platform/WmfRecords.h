#pragma once
// Reading a recorded metafile back in tests: its little-endian words and its
// records, each written as its function and parameter words in hex.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/WmfRecorder.h"

namespace tlrx::test {

inline uint16_t Word(const MetafileBits& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
inline uint32_t Long(const MetafileBits& b, size_t at) {
    return Word(b, at) | (static_cast<uint32_t>(Word(b, at + 2)) << 16);
}

inline std::string Hex(uint16_t w) {
    char s[5];
    std::snprintf(s, sizeof s, "%04x", w);
    return s;
}

// The records of a metafile after its 18-byte header, each as its function
// and its parameter words in hex ("0103 0008"); the end-of-file record left
// out. Each record's size must match the words it holds.
inline std::vector<std::string> Records(const MetafileBits& bits) {
    std::vector<std::string> records;
    size_t at = 18;
    while (at + 6 <= bits.size()) {
        const uint32_t words = Long(bits, at);
        EXPECT_GE(words, 3u);
        EXPECT_LE(at + 2 * words, bits.size());
        if (words < 3 || at + 2 * words > bits.size()) break;
        std::string record = Hex(Word(bits, at + 4));
        for (uint32_t i = 3; i < words; ++i) record += " " + Hex(Word(bits, at + 2 * i));
        at += 2 * words;
        if (record == "0000") {
            EXPECT_EQ(at, bits.size()) << "records after the end";
            break;
        }
        records.push_back(record);
    }
    return records;
}

}  // namespace tlrx::test
