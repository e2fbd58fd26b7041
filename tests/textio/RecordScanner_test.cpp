// Scanning whole records where they lie: a field's end found wherever it falls in the sixteen-byte
// blocks the search looks at, and records cut short or broken by a line end left to the
// character-by-character reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textio/RecordScanner.h"

namespace {

using record_scanner::ScannedRecord;
using record_scanner::ScanWholeRecord;

// Lengths that put a field's end before, on and after the first three block edges.
constexpr std::size_t kLongestField = 50;

std::string Letters(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += static_cast<char>('a' + i % 26);
    }
    return text;
}

TEST(RecordScanner, FieldsEndAtTheirTabWhereverItFalls) {
    for (std::size_t length = 0; length <= kLongestField; ++length) {
        const std::string title = Letters(length);
        const std::string notes = Letters(kLongestField - length);
        const std::string record = "3\t" + title + "\t1\t0\t" + notes + "\t2";
        const std::string bytes = record + "\n0\t"; // the fields are views into these
        ScannedRecord scanned;
        ASSERT_EQ(ScanWholeRecord(bytes, scanned), record.size()) << length;
        EXPECT_EQ(scanned.title, title);
        EXPECT_EQ(scanned.notes, notes);
        EXPECT_EQ(record_scanner::AsUnsigned(scanned.depth), 3u);
        EXPECT_EQ(record_scanner::AsUnsigned(scanned.quantity), 2u);
    }
}

TEST(RecordScanner, ARecordEndsAfterItsLastDigitWhateverFollows) {
    // The line feed a record starts with ends the record before; the next one may come right after
    // the last digit or later. What follows is long enough for the first bytes to be marked at once.
    const std::string more = "0\tnext\t1\t0\tnext notes\t1\n0\tand the next\t1\t0\t\t1\n";
    for (const std::string start : {"", "\n", "\r\n"}) {
        for (const std::string after : {"\n", "\r\n", " \n", "\t\n", "\textra\n", "x\n", "\t1\t"}) {
            const std::string record = start + "1\tA\t2\t0\t\t3";
            const std::string bytes = record + after + more;
            ScannedRecord scanned;
            EXPECT_EQ(ScanWholeRecord(bytes, scanned), record.size()) << start.size() << " " << after;
            EXPECT_EQ(record_scanner::AsUnsigned(scanned.quantity), 3u);
        }
    }
}

TEST(RecordScanner, FlagsReadTheSameHoweverTheyAreWritten) {
    // The importance and checked flag as a list writes them ("1\t0\t") are read in one look; near
    // misses (bytes next to '0' and '9', no tab, more digits, signs, high bytes) read as any number.
    struct Flags {
        std::string text;
        std::int32_t importance; // -2: the record is no record
        std::int32_t checked;
    };
    constexpr std::int32_t kNoRecord = -2;
    const std::vector<Flags> cases = {
        {"1\t0\t", 1, 0},
        {"0\t9\t", 0, 9},
        {"9\t1\t", 9, 1},
        {"/\t0\t", kNoRecord, 0},
        {":\t0\t", kNoRecord, 0},
        {"1\t/\t", kNoRecord, 0},
        {"1\t:\t", kNoRecord, 0},
        {"1\t\xB0\t", kNoRecord, 0},
        {"\xB1\t0\t", kNoRecord, 0},
        {"1 0\t", 1, 0},
        {"1\t0 ", 1, 0},
        {"1\n0\t", 1, 0},
        {"12\t0\t", 12, 0},
        {"1\t10\t", 1, 10},
        {"1\t-1\t", 1, -1},
        {"+1\t0\t", 1, 0},
        {"1x0\t", kNoRecord, 0},
    };
    for (const Flags& flags : cases) {
        const std::string record = "0\tTitle\t" + flags.text + "notes\t5";
        const std::string bytes = record + "\n0\tnext title\t1\t0\tnext notes\t1\n";
        ScannedRecord scanned;
        const std::size_t length = ScanWholeRecord(bytes, scanned);
        if (flags.importance == kNoRecord) {
            EXPECT_EQ(length, 0u) << flags.text;
            continue;
        }
        ASSERT_EQ(length, record.size()) << flags.text;
        EXPECT_EQ(record_scanner::AsSigned(scanned.importance), flags.importance) << flags.text;
        EXPECT_EQ(record_scanner::AsSigned(scanned.checked), flags.checked) << flags.text;
        EXPECT_EQ(scanned.notes, "notes") << flags.text;
    }
}

TEST(RecordScanner, LineEndsInAFieldAreLeftToTheCharacterReader) {
    // A line feed in a field is stored as CR LF and a CR LF pair read as one, which only the reader
    // that goes character by character does.
    for (std::size_t length = 1; length <= kLongestField; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (const char lineEnd : {'\n', '\r'}) {
                std::string field = Letters(length);
                field[at] = lineEnd;
                ScannedRecord scanned;
                EXPECT_EQ(ScanWholeRecord("0\t" + field + "\t1\t0\t\t1\n", scanned), 0u) << "title " << at;
                EXPECT_EQ(ScanWholeRecord("0\tA\t1\t0\t" + field + "\t1\n", scanned), 0u) << "notes " << at;
            }
        }
    }
}

TEST(RecordScanner, RecordsCutAnywhereAreLeftToTheCharacterReader) {
    // The last number may go on in bytes not yet read, so even the whole record without what follows
    // it cannot be decided.
    const std::string record =
        " 12\t" + Letters(kLongestField) + "\t+1\t-1\t" + Letters(kLongestField) + "\t34";
    for (std::size_t cut = 0; cut <= record.size(); ++cut) {
        ScannedRecord scanned;
        EXPECT_EQ(ScanWholeRecord(record.substr(0, cut), scanned), 0u) << cut;
    }
}

} // namespace
