// Wrapping a message: at spaces and backslashes, and inside a word too long for a line.
#include "platform/ui/MessageWrap.h"

#include <gtest/gtest.h>

namespace {

/// Every character 5 pixels wide, so widths are easy to work out.
int FivePixelsEach(std::u16string_view text) {
    return static_cast<int>(text.size()) * 5;
}

using Lines = std::vector<std::u16string>;

TEST(MessageWrap, APathWrapsBetweenItsFoldersAndWordsAtSpaces) {
    // 60 pixels: 12 characters a line.
    EXPECT_EQ(
        WrapMessage(u"Access to \\Program Files\\Corvina\\Lists\\Locked.crv was denied.", 60, FivePixelsEach),
        (Lines{u"Access to", u"\\Program", u"Files", u"\\Corvina", u"\\Lists", u"\\Locked.crv",
               u"was denied."}));
}

TEST(MessageWrap, AWordTooLongForALineIsBrokenAtTheEdgeSoEveryCharacterShows) {
    EXPECT_EQ(WrapMessage(u"Is ABCDEFGHIJKLMNOPQRSTUVWXYZ ok", 50, FivePixelsEach),
              (Lines{u"Is", u"ABCDEFGHIJ", u"KLMNOPQRST", u"UVWXYZ ok"}));
    EXPECT_EQ(WrapMessage(u"ABC", 1, FivePixelsEach), (Lines{u"A", u"B", u"C"})) << "at least one a line";
}

TEST(MessageWrap, LineBreaksOfTheTextAreKeptAndEmptyLinesToo) {
    EXPECT_EQ(WrapMessage(u"One\n\nTwo three", 100, FivePixelsEach), (Lines{u"One", u"", u"Two three"}));
    EXPECT_EQ(WrapMessage(u"", 100, FivePixelsEach), (Lines{u""}));
}

} // namespace
