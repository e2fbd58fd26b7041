// Block-at-a-time searches: every position in and around a block, every length of data (the last
// block overlaps the one before), and the bytes that differ from a wanted one by a single bit (where
// word tricks go wrong).
#include <gtest/gtest.h>

#include <string>

#include "platform/core/ByteSearch.h"

namespace {

constexpr std::size_t kLength = 37; // four words and a tail of five

TEST(ByteSearch, FindsTheFirstWantedByteAtEveryPosition) {
    for (std::size_t at = 0; at < kLength; ++at) {
        // Near misses of tab (0x09) and line feed (0x0A) fill the text: 0x08, 0x0B, 0x89, 0x8A, 0x19.
        std::string text;
        for (std::size_t i = 0; i < kLength; ++i) {
            text += "\x08\x0B\x89\x8A\x19"[i % 5];
        }
        text[at] = '\n';
        if (at + 1 < kLength) {
            text[at + 1] = '\t'; // a later match must not win
        }
        EXPECT_EQ(byte_search::FindAnyOf(text.data(), text.size(), '\t', '\n', '\r'), at) << at;
        EXPECT_EQ(byte_search::FindAnyOf(text.data(), at, '\t', '\n', '\r'), at) << "none before " << at;
    }
}

TEST(ByteSearch, FindsAMatchAnywhereInDataOfEveryLength) {
    constexpr std::size_t kLongest = 50; // three blocks of sixteen and a tail of two
    for (std::size_t size = 0; size <= kLongest; ++size) {
        for (std::size_t at = 0; at <= size; ++at) {
            std::string text(size, '\x8D'); // a carriage return with the high bit set
            if (at < size) {
                text[at] = '\r';
            }
            EXPECT_EQ(byte_search::FindAnyOf(text.data(), text.size(), '\t', '\n', '\r'), at)
                << "size " << size << ", at " << at;
        }
    }
}

TEST(ByteSearch, AsciiRunEndsAtTheFirstHighByte) {
    for (std::size_t at = 0; at < kLength; ++at) {
        std::string text(kLength, '\x7F');
        text[at] = '\x80';
        text.back() = '\xFF';
        EXPECT_EQ(byte_search::AsciiPrefix(text.data(), text.size()), at) << at;
    }
    for (std::size_t size = 0; size <= kLength; ++size) {
        const std::string ascii(size, '\x7F');
        EXPECT_EQ(byte_search::AsciiPrefix(ascii.data(), ascii.size()), size);
    }
    EXPECT_EQ(byte_search::AsciiPrefix("plain ascii text", 16), 16u);
    EXPECT_EQ(byte_search::AsciiPrefix("", 0), 0u);
}

} // namespace
