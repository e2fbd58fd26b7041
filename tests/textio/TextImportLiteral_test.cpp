// The import reader against a literal one that takes the record steps a character at a time: long
// fields around every length limit, line breaks and carriage returns that send records the slow way,
// multi-byte characters, and records at every offset around the read-ahead's edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CorvinaDoc.h"
#include "support/LiteralTextImport.h"
#include "support/TestFolder.h"
#include "textio/DocumentText.h"
#include "textio/TextFile.h"

namespace {

constexpr std::size_t kKiB = 1024;
constexpr std::size_t kMiB = 1024 * kKiB;
// The bytes the reader takes from the file at once.
constexpr std::size_t kReadAhead = 64 * kKiB;

// One character of each UTF-8 length: a field of them cut at any byte count may end inside one.
const std::vector<std::string> kAlphabets = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\xA5\x9B"};

// `length` bytes of `character` repeated, the last one possibly cut.
std::string FieldOf(const std::string& character, std::size_t length) {
    std::string field;
    field.reserve(length + character.size());
    while (field.size() < length) {
        field += character;
    }
    field.resize(length);
    return field;
}

std::string Record(const std::string& depth, const std::string& title, const std::string& notes,
                   const std::string& numbers = "1\t0", const std::string& quantity = "1") {
    return depth + "\t" + title + "\t" + numbers + "\t" + notes + "\t" + quantity + "\n";
}

// Short records, so the next one starts well inside the first read-ahead.
std::string ShortRecords(std::size_t count) {
    std::string records;
    for (std::size_t i = 0; i < count; ++i) {
        records += Record(std::to_string(i % 3), "Item " + std::to_string(i), i % 2 == 0 ? "" : "n,b");
    }
    return records;
}

std::vector<literal_text::Item> Flatten(const CCorvinaDoc& doc) {
    std::vector<literal_text::Item> items;
    doc.tree.Walk([&](const TaskNode& node, std::size_t level) {
        items.push_back({level, node.item.title.str(), node.item.importance, node.item.checked,
                         node.item.notes.str(), node.item.quantity});
    });
    return items;
}

// Where two texts first differ, for a message that stays short when they are megabytes long.
std::string Difference(const std::u16string& got, const std::u16string& wanted) {
    std::size_t at = 0;
    while (at < got.size() && at < wanted.size() && got[at] == wanted[at]) {
        ++at;
    }
    return "lengths " + std::to_string(got.size()) + " and " + std::to_string(wanted.size()) +
           ", first difference at " + std::to_string(at);
}

class LiteralImportTest : public ::testing::Test {
protected:
    // Imports `text` through the program's reader and checks it against the literal reader.
    void ExpectLiteral(const std::string& text, const std::string& what) {
        WriteBytes(folder.File("in.txt"), text);
        CCorvinaDoc doc;
        {
            TextFile file(folder.WideFile("in.txt"), "r");
            ASSERT_TRUE(file.IsOpen());
            ImportText(doc, file);
            EXPECT_TRUE(file.Close()) << what;
        }
        const std::vector<literal_text::Item> got = Flatten(doc);
        const std::vector<literal_text::Item> wanted = literal_text::Import(text);
        ASSERT_EQ(got.size(), wanted.size()) << what;
        for (std::size_t i = 0; i < got.size(); ++i) {
            if (got[i] == wanted[i]) {
                continue;
            }
            ADD_FAILURE() << what << ": item " << i << " differs; title "
                          << Difference(got[i].title, wanted[i].title) << "; notes "
                          << Difference(got[i].notes, wanted[i].notes) << "; level " << got[i].level << "/"
                          << wanted[i].level << ", quantity " << got[i].quantity << "/" << wanted[i].quantity;
            return;
        }
    }

    TestFolder folder;
};

TEST_F(LiteralImportTest, TheLiteralReaderReadsWhatTheRulesSay) {
    // The reference itself, on the rules' own examples.
    const std::vector<literal_text::Item> items =
        literal_text::Import("0\tMilk\t0\t1\t\t2\r\n1\tSkimmed\t1\t0\t\"a,\nb\"\t1\n3\t "
                             "A\r\t7\t-1\t\"\t4294967296\n0\tcut\t1\t0\tnotes");
    const std::vector<literal_text::Item> wanted = {
        {0, u"Milk", 0, 1, u"", 2},
        {1, u"Skimmed", 1, 0, u"a,\r\nb", 1},
        {2, u" A\r", 1, 255, u"", 0},
    };
    EXPECT_EQ(items, wanted);
}

TEST_F(LiteralImportTest, FieldsOfEveryLengthAroundTheLimits) {
    // A field's length is counted in bytes: at the short and long string lengths, half the read-ahead
    // in units, the read-ahead itself and far past it. The long records sit at a few offsets, so the
    // read-ahead's edge falls at different places in them.
    const std::vector<std::size_t> lengths = {0,     1,     255,   256,   257,   32767, 32768,
                                              32769, 65533, 65534, 65535, 65536, 65537, 3 * kMiB + 1};
    for (const std::size_t length : lengths) {
        for (const std::string& alphabet : kAlphabets) {
            const std::string field = FieldOf(alphabet, length);
            const std::string broken = field.substr(0, length / 2) + "\n" + field.substr(length / 2);
            const std::string withReturn = field.substr(0, length / 3) + "\r" + field.substr(length / 3);
            // A long title and short notes, the reverse, notes with a line break (always the slow
            // way), and a title with a carriage return before long notes (both fields the slow way).
            const std::string records = Record("0", field, "n") + Record("1", "T", field) +
                                        Record("1", "U", "\"" + broken + "\"") +
                                        Record("0", withReturn, field) + Record("1", "after", "x,y");
            const std::size_t shifts = length <= kReadAhead + 1 ? 4 : 1;
            for (std::size_t shift = 0; shift < shifts; ++shift) {
                ExpectLiteral(ShortRecords(30) + std::string(shift, ' ') + records,
                              "length " + std::to_string(length) + ", " + std::to_string(alphabet.size()) +
                                  "-byte characters, shift " + std::to_string(shift));
            }
        }
    }
}

TEST_F(LiteralImportTest, ALongFieldAfterShortRecordsKeepsItsText) {
    // Notes with a line break and 33,000 other characters, and a 40,000-character title after 30 short
    // records: both once came back empty.
    std::string notes = FieldOf("n", 16500) + "\n" + FieldOf("m", 16500);
    ExpectLiteral(Record("0", "List", "\"" + notes + "\""), "notes with a line break");
    ExpectLiteral(ShortRecords(30) + Record("0", FieldOf("t", 40000), ""), "title after short records");
}

TEST_F(LiteralImportTest, RecordsAtEveryOffsetAroundTheReadAheadEdges) {
    // A group of records of every shape the reader treats apart (numbers with signs and blanks, a
    // multi-byte character, a carriage return, a quoted line break, CR LF line ends), repeated past two
    // read-aheads and shifted byte by byte through a whole group, so every byte of every kind of
    // record lies once on each edge.
    const std::string group = Record(" 00012", "Caf\xC3\xA9 \xF0\x9F\xA5\x9B", "note", "+2\t -1") +
                              Record("13", "A\rB", "\"a,\r\nb\"", "1\t0", "+4321") +
                              Record("2", " lead", "\"", "7\t300", "4294967296") + "\r\n" +
                              Record("1", "\xE2\x82\xAC", "\"q\"", "0\t1", "  31\r");
    std::string records;
    while (records.size() < 2 * kReadAhead + group.size()) {
        records += group;
    }
    for (std::size_t shift = 0; shift <= group.size(); ++shift) {
        ExpectLiteral(std::string(shift, '\n') + records, "shift " + std::to_string(shift));
    }
}

} // namespace
