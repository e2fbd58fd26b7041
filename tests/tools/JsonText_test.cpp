// The quick copy of texts that need no escape, held to what the JSON library writes for every text.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>
#include <string>

#include "tools/JsonText.h"

namespace {

std::string Quoted(const std::string& utf8) {
    std::string out;
    AppendJsonString(out, utf8);
    return out;
}

TEST(JsonText, EveryTextIsWrittenAsTheLibraryWritesIt) {
    // Each ASCII character alone and amid plain text, then random mixes with multi-byte characters.
    for (int byte = 0; byte < 0x80; ++byte) {
        for (const std::string& text : {std::string(1, static_cast<char>(byte)),
                                        "ab" + std::string(1, static_cast<char>(byte)) + "cd"}) {
            EXPECT_EQ(Quoted(text), nlohmann::json(text).dump()) << byte;
        }
    }
    const std::string pieces[] = {
        "a", " ", "\"", "\\", "\t", "\n", "\x1F", "\x7F", "\xC3\xA9", "\xE2\x86\x93", "\xF0\x9F\x98\x80",
        "/"};
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        for (std::size_t n = random() % 12; n > 0; --n) {
            text += pieces[random() % std::size(pieces)];
        }
        EXPECT_EQ(Quoted(text), nlohmann::json(text).dump()) << text;
    }
    EXPECT_EQ(Quoted("Milk"), "\"Milk\"");
    EXPECT_EQ(Quoted("a\"b\\c\x01"), "\"a\\\"b\\\\c\\u0001\"");
}

} // namespace
