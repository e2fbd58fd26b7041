// UTF-8 and UTF-16 conversion with the Windows-1252 fallback, and %1 formatting.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/core/Strings.h"

namespace {

// Decoded texts are read in blocks of sixteen bytes; these lengths put every case before, across and
// after the first three block edges.
constexpr std::size_t kLongestText = 50;

// ASCII of `length` bytes, the highest and lowest ASCII bytes among them.
std::string Ascii(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += "\x7F"
                "abcdefghijklmnopqrstuvwxyz0123456789 \x01"[i % 39];
    }
    return text;
}

std::u16string Widened(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// Decodes `bytes` into room of exactly one unit per byte, followed by guard units that must stay as
// they are.
std::u16string DecodedInRoom(const std::string& bytes) {
    constexpr char16_t kGuard = 0xBEEF;
    constexpr std::size_t kGuardUnits = 16;
    std::vector<char16_t> room(bytes.size() + kGuardUnits, kGuard);
    const char16_t* const end = DecodeUtf8OrCp1252(bytes, room.data());
    for (std::size_t i = bytes.size(); i < room.size(); ++i) {
        EXPECT_EQ(room[i], kGuard) << "written past the room at " << i;
    }
    return std::u16string(room.data(), static_cast<std::size_t>(end - room.data()));
}

TEST(Strings, Utf8RoundTripsEveryPlane) {
    const std::u16string text = u"Milk caf\u00e9 \u20ac \U0001F95B";
    const std::string utf8 = ToUtf8(text);
    EXPECT_EQ(utf8, "Milk caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\xA5\x9B");
    EXPECT_EQ(FromUtf8OrCp1252(utf8), text);
}

TEST(Strings, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::u16string{char16_t{0xDC00}, u'a'}), "\xEF\xBF\xBD"
                                                              "a");
}

// ASCII narrows in blocks of eight units, a short tail as an overlapping last block: a character
// that is not ASCII, or a surrogate pair, at any place of texts of every length up to three blocks
// must come out exactly where it was.
TEST(Strings, EveryPlaceOfAWideCharacterInAsciiEncodesAlike) {
    const std::vector<std::pair<std::u16string, std::string>> wide = {{u"\u00e9", "\xC3\xA9"},
                                                                      {u"\u20ac", "\xE2\x82\xAC"},
                                                                      {u"\U0001F34E", "\xF0\x9F\x8D\x8E"},
                                                                      {u"\xD800", "\xEF\xBF\xBD"}};
    for (std::size_t length = 0; length <= 24; ++length) {
        std::u16string ascii;
        std::string asciiUtf8;
        for (std::size_t i = 0; i < length; ++i) {
            ascii += static_cast<char16_t>(u'a' + i % 26);
            asciiUtf8 += static_cast<char>('a' + i % 26);
        }
        EXPECT_EQ(ToUtf8(ascii), asciiUtf8) << length;
        for (std::size_t at = 0; at <= length; ++at) {
            for (const auto& [unit, bytes] : wide) {
                const std::u16string text = ascii.substr(0, at) + unit + ascii.substr(at);
                EXPECT_EQ(ToUtf8(text), asciiUtf8.substr(0, at) + bytes + asciiUtf8.substr(at))
                    << length << " " << at;
            }
        }
    }
}

TEST(Strings, BytesThatAreNotUtf8ReadAsWindows1252) {
    // "café" from an older device, and the euro sign and curly quotes of the 0x80 block.
    EXPECT_EQ(FromUtf8OrCp1252("caf\xE9"), u"caf\u00e9");
    EXPECT_EQ(FromUtf8OrCp1252("\x80\x93\x94"), u"\u20ac\u201c\u201d");
    // Unassigned bytes keep their value, as the C1 controls.
    EXPECT_EQ(FromUtf8OrCp1252("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008d\u008f\u0090\u009d");
}

TEST(Strings, MalformedSequencesFallBackBytewise) {
    // Overlong slash, an encoded surrogate, a code point past U+10FFFF, a truncated sequence.
    EXPECT_EQ(FromUtf8OrCp1252("\xC0\xAF"), u"\u00c0\u00af");
    EXPECT_EQ(FromUtf8OrCp1252("\xED\xA0\x80"), u"\u00ed\u00a0\u20ac");
    EXPECT_EQ(FromUtf8OrCp1252("\xF4\x90\x80\x80"), u"\u00f4\u0090\u20ac\u20ac");
    EXPECT_EQ(FromUtf8OrCp1252("a\xE2\x82"), u"a\u00e2\u201a");
    // A valid sequence after a broken one still decodes.
    EXPECT_EQ(FromUtf8OrCp1252("\xE9\xC3\xA9"), u"\u00e9\u00e9");
}

TEST(Strings, AsciiOfEveryLengthDecodesWithinItsRoom) {
    for (std::size_t length = 0; length <= kLongestText; ++length) {
        const std::string text = Ascii(length);
        EXPECT_EQ(DecodedInRoom(text), Widened(text)) << length;
        std::u16string appended = u"x";
        AppendFromUtf8OrCp1252(appended, text);
        EXPECT_EQ(appended, u"x" + Widened(text)) << length;
    }
}

TEST(Strings, OtherCharactersAtEveryPlaceOfAnAsciiText) {
    struct Insert {
        std::string bytes;
        std::u16string decoded;
    };
    // Two-, three- and four-byte characters straddle a block edge somewhere in the loop; the broken
    // ones (a lone 0x80, a sequence cut short by ASCII or by the end) fall back byte by byte.
    const std::vector<Insert> inserts = {
        {"\xC3\xA9", u"\u00e9"}, {"\xE2\x82\xAC", u"\u20ac"},   {"\xF0\x9F\xA5\x9B", u"\U0001F95B"},
        {"\x80", u"\u20ac"},     {"\xE2\x82", u"\u00e2\u201a"}, {"\xFF", u"\u00ff"}};
    for (const Insert& insert : inserts) {
        for (std::size_t length = 0; length <= kLongestText; ++length) {
            for (std::size_t at = 0; at <= length; ++at) {
                const std::string before = Ascii(at);
                const std::string after = Ascii(length - at);
                const std::string text = before + insert.bytes + after;
                ASSERT_EQ(DecodedInRoom(text), Widened(before) + insert.decoded + Widened(after))
                    << "length " << length << ", at " << at << ", " << insert.bytes.size() << " bytes";
            }
        }
    }
}

TEST(Strings, AssigningReplacesEverythingThatWasThere) {
    std::u16string text = u"a much longer text than the next";
    AssignFromUtf8OrCp1252(text, "caf\xC3\xA9");
    EXPECT_EQ(text, u"caf\u00e9");
    AssignFromUtf8OrCp1252(text, "pie");
    EXPECT_EQ(text, u"pie");
    AssignFromUtf8OrCp1252(text, "");
    EXPECT_EQ(text, u"");
}

TEST(Strings, FormatStringReplacesNumberedArguments) {
    EXPECT_EQ(FormatString(u"%1 was not found.", {u"Shop.crv"}), u"Shop.crv was not found.");
    EXPECT_EQ(FormatString(u"%2-%1 %% %3 %", {u"a", u"b"}), u"b-a % %3 %");
    EXPECT_EQ(FormatString(u"%1", {u"%1"}), u"%1");
    // The string table's prompts name their one argument %s.
    EXPECT_EQ(FormatString(u"Delete '%s'?", {u"Shop"}), u"Delete 'Shop'?");
    EXPECT_EQ(FormatString(u"'%s' changed", {u"%s 50%"}), u"'%s 50%' changed");
    EXPECT_EQ(FormatString(u"%s, %s", {}), u"%s, %s");
}

} // namespace
