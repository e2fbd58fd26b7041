// Text export and import of lists: the record format, quoting, depths, numbers read as scanf reads
// them, incomplete records and files that cannot be opened or written.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/CorvinaDoc.h"
#include "support/TestFolder.h"
#include "textio/DocumentText.h"
#include "textio/RecordScanner.h"
#include "textio/TextFile.h"

namespace {

TaskItem MakeItem(const std::u16string& title, std::uint32_t quantity = 1, std::uint8_t checked = 0,
                  std::int32_t importance = TaskItem::kNormalImportance, const std::u16string& notes = u"") {
    TaskItem item;
    item.title = title;
    item.quantity = quantity;
    item.checked = checked;
    item.importance = importance;
    item.notes = notes;
    return item;
}

/// Every item in pre-order with its level: "level:title".
std::vector<std::u16string> Shape(const CCorvinaDoc& doc) {
    std::vector<std::u16string> shape;
    doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
        shape.push_back(Widen(std::to_string(depth)) + u":" + node.item.title.str());
    });
    return shape;
}

class TextTest : public ::testing::Test {
protected:
    std::string Export(const CCorvinaDoc& doc) {
        TextFile file(folder.WideFile("out.txt"), "w");
        EXPECT_TRUE(file.IsOpen());
        ExportText(doc, file);
        EXPECT_TRUE(file.Close());
        return ReadBytes(folder.File("out.txt"));
    }

    void Import(CCorvinaDoc& doc, const std::string& text) {
        WriteBytes(folder.File("in.txt"), text);
        TextFile file(folder.WideFile("in.txt"), "r");
        ASSERT_TRUE(file.IsOpen());
        ImportText(doc, file);
        EXPECT_TRUE(file.Close());
    }

    const TaskItem& Only(const CCorvinaDoc& doc) {
        EXPECT_EQ(doc.tree.Count(), 1u);
        return doc.tree.root.ChildAt(0)->item;
    }

    // The one item that `text` imports as.
    TaskItem ImportOne(const std::string& text) {
        CCorvinaDoc doc;
        Import(doc, text);
        return Only(doc);
    }

    // A list of one item with `title` exports as `line` and reads back with the same title.
    void ExpectTitleRoundTrip(const std::u16string& title, const std::string& line) {
        CCorvinaDoc doc;
        doc.tree.AddItem(MakeItem(title));
        const std::string text = Export(doc);
        EXPECT_EQ(text, line);
        EXPECT_EQ(ImportOne(text).title, title);
    }

    TestFolder folder;
};

TEST_F(TextTest, MilkAndSkimmedRoundTrip) {
    CCorvinaDoc doc;
    TaskNode* milk = doc.tree.AddItem(MakeItem(u"Milk", 2, 1, TaskItem::kHighImportance));
    doc.tree.AddItem(MakeItem(u"Skimmed", 1, 0, TaskItem::kNormalImportance, u"low fat, fresh"), milk);
    const std::string text = Export(doc);
    EXPECT_EQ(text, "0\tMilk\t0\t1\t\t2\n1\tSkimmed\t1\t0\t\"low fat, fresh\"\t1\n");

    CCorvinaDoc back;
    Import(back, text);
    EXPECT_EQ(Shape(back), (std::vector<std::u16string>{u"0:Milk", u"1:Skimmed"}));
    EXPECT_EQ(back.tree.root.ChildAt(0)->item, doc.tree.root.ChildAt(0)->item);
    EXPECT_EQ(back.tree.root.ChildAt(0)->ChildAt(0)->item, milk->ChildAt(0)->item);
    EXPECT_FALSE(back.IsModified());
}

TEST_F(TextTest, EmptyListAndEmptyFile) {
    CCorvinaDoc doc;
    EXPECT_EQ(Export(doc), "");
    CCorvinaDoc back;
    Import(back, "");
    EXPECT_EQ(back.tree.Count(), 0u);
}

TEST_F(TextTest, LineBreaksInNotesSurviveTheRoundTrip) {
    CCorvinaDoc doc;
    doc.tree.AddItem(MakeItem(u"Bread", 1, 0, 1, u"rye\r\nor wheat"));
    doc.tree.AddItem(MakeItem(u"Jam"));
    const std::string text = Export(doc);
    EXPECT_EQ(text, "0\tBread\t1\t0\t\"rye\r\nor wheat\"\t1\n0\tJam\t1\t0\t\t1\n");
    CCorvinaDoc back;
    Import(back, text);
    ASSERT_EQ(back.tree.Count(), 2u);
    EXPECT_EQ(back.tree.root.ChildAt(0)->item.notes, u"rye\r\nor wheat");
    // A bare line feed from another editor is stored as CR LF as well.
    EXPECT_EQ(ImportOne("0\tBread\t1\t0\t\"rye\nor wheat\"\t1\n").notes, u"rye\r\nor wheat");
}

TEST_F(TextTest, QuotesAreNotEscapes) {
    CCorvinaDoc doc;
    doc.tree.AddItem(MakeItem(u"A", 1, 0, 1, u"\"boxed\""));
    doc.tree.AddItem(MakeItem(u"B", 1, 0, 1, u"say \"hi\", then go"));
    const std::string text = Export(doc);
    EXPECT_EQ(text, "0\tA\t1\t0\t\"boxed\"\t1\n0\tB\t1\t0\t\"say \"hi\", then go\"\t1\n");
    CCorvinaDoc back;
    Import(back, text);
    ASSERT_EQ(back.tree.Count(), 2u);
    EXPECT_EQ(back.tree.root.ChildAt(0)->item.notes, u"boxed");
    EXPECT_EQ(back.tree.root.ChildAt(1)->item.notes, u"say \"hi\", then go");
    EXPECT_EQ(ImportOne("0\tA\t1\t0\t\"\t1\n").notes, u"");
}

TEST_F(TextTest, ImportanceOutsideTheRangeBecomesNormal) {
    CCorvinaDoc doc;
    Import(doc, "0\tA\t7\t0\t\t1\n0\tB\t2\t0\t\t1\n0\tC\t-1\t0\t\t1\n0\tD\t4294967296\t0\t\t1\n");
    ASSERT_EQ(doc.tree.Count(), 4u);
    EXPECT_EQ(doc.tree.root.ChildAt(0)->item.importance, 1);
    EXPECT_EQ(doc.tree.root.ChildAt(1)->item.importance, 2);
    EXPECT_EQ(doc.tree.root.ChildAt(2)->item.importance, 1);
    EXPECT_EQ(doc.tree.root.ChildAt(3)->item.importance, 0);
}

TEST_F(TextTest, NumbersFollowScanfRules) {
    CCorvinaDoc doc;
    Import(doc,
           "  +0\tA\t \t1\t  -1\t\t-1\n0\tB\t1\t256\t\t4294967297\n0\tC\t1\t+3\t\t 99999999999999999999\n");
    ASSERT_EQ(doc.tree.Count(), 3u);
    const TaskItem& a = doc.tree.root.ChildAt(0)->item;
    EXPECT_EQ(a.checked, 255);
    EXPECT_EQ(a.quantity, 4294967295u);
    EXPECT_EQ(a.importance, 1);
    EXPECT_EQ(doc.tree.root.ChildAt(1)->item.checked, 0);
    EXPECT_EQ(doc.tree.root.ChildAt(1)->item.quantity, 1u);
    EXPECT_EQ(doc.tree.root.ChildAt(2)->item.checked, 3);
    EXPECT_EQ(doc.tree.root.ChildAt(2)->item.quantity, 4294967295u);
}

TEST_F(TextTest, NumbersAtTheEdgesOfTheFastPathReadAsScanfReadsThem) {
    // Each number is read as the checked flag ("%d", kept as a byte) and the quantity ("%u"): once in
    // a record that lies whole in the bytes read (the quick scan), once as the last bytes of the file
    // (the character-by-character reader, since the number might go on).
    struct Case {
        std::string text;
        std::uint32_t quantity;
        std::uint8_t checked;
    };
    const std::vector<Case> cases = {
        {"7", 7, 7},
        {"+7", 7, 7},
        {"-7", 4294967289u, 249},
        {" \t\n\v\f\r7", 7, 7},                     // every space scanf skips
        {"0000000000000000000000042", 42, 42},      // longer than 64 bits hold, yet small
        {"9999999999999999999", 2313682943u, 255},  // the most digits added without a check
        {"10000000000000000001", 2313682945u, 255}, // one more digit, still within 64 bits
        {"18446744073709551615", 4294967295u, 255}, // the largest 64-bit value
        {"18446744073709551616", 4294967295u, 255}, // past it: the largest
        {"-18446744073709551615", 1, 0},            // negated, wrapping
        {"-18446744073709551616", 4294967295u, 0},  // past it: the largest, or the smallest
        {"4294967296", 0, 0},                       // cut to 32 bits
        {"-2147483649", 2147483647u, 255},
    };
    for (const Case& number : cases) {
        const std::string record = "0\tA\t1\t" + number.text + "\t\t" + number.text;
        const std::string whole = record + "\n";
        record_scanner::ScannedRecord scanned;
        EXPECT_EQ(record_scanner::ScanWholeRecord(whole, scanned), record.size()) << number.text;
        for (const std::string& text : {whole, record}) {
            CCorvinaDoc doc;
            Import(doc, text);
            EXPECT_EQ(Only(doc).quantity, number.quantity) << number.text;
            EXPECT_EQ(Only(doc).checked, number.checked) << number.text;
        }
    }
    for (const std::string broken : {"+-7", "- 7", "+"}) {
        CCorvinaDoc doc;
        Import(doc, "0\tA\t1\t0\t\t" + broken + "\n");
        EXPECT_EQ(doc.tree.Count(), 0u) << broken;
    }
}

TEST_F(TextTest, RecordsCutByTheReadAheadReadLikeAnyOther) {
    // Records are read in blocks of 64 KiB; shifting the text byte by byte puts the end of a block
    // at every place inside the records, line ends and a line break in notes included. Depths of a
    // fixed width make every pair of records the same length and the list one chain, each item the
    // only child of the one before.
    constexpr std::size_t kReadAhead = 64 * 1024;
    const auto pairAt = [](std::size_t index) {
        char depths[2][8];
        std::snprintf(depths[0], sizeof depths[0], "%05zu", 2 * index);
        std::snprintf(depths[1], sizeof depths[1], "%05zu", 2 * index + 1);
        return std::string(" ") + depths[0] + "\t Caf\xC3\xA9\t2\t-1\tnote\t+4321\r\n" + depths[1] +
               "\tSub\t0\t1\t\"a,\r\nb\"\t31\n";
    };
    const std::size_t pairs = kReadAhead / pairAt(0).size() + 2;
    std::string records;
    for (std::size_t i = 0; i < pairs; ++i) {
        records += pairAt(i);
    }
    const TaskItem first = MakeItem(u" Caf\u00e9", 4321, 255, 2, u"note");
    const TaskItem second = MakeItem(u"Sub", 31, 1, 0, u"a,\r\nb");
    for (std::size_t shift = 0; shift <= pairAt(0).size(); ++shift) {
        CCorvinaDoc doc;
        Import(doc, std::string(shift, '\n') + records);
        ASSERT_EQ(doc.tree.Count(), 2 * pairs) << shift;
        std::size_t index = 0;
        bool allRight = true;
        doc.tree.Walk([&](const TaskNode& node, std::size_t depth) {
            allRight = allRight && depth == index && node.item == (index % 2 == 0 ? first : second);
            ++index;
        });
        ASSERT_TRUE(allRight) << shift;
    }
}

TEST_F(TextTest, CheckedFlagIsWrittenAsItsByteValue) {
    CCorvinaDoc doc;
    doc.tree.AddItem(MakeItem(u"A", 4294967295u, 255, -1));
    EXPECT_EQ(Export(doc), "0\tA\t4294967295\t255\t\t4294967295\n");
}

TEST_F(TextTest, DepthsBuildTheTree) {
    CCorvinaDoc doc;
    Import(doc, "0\tA\t1\t0\t\t1\n3\tB\t1\t0\t\t1\n1\tC\t1\t0\t\t1\n2\tD\t1\t0\t\t1\n0\tE\t1\t0\t\t1\n");
    EXPECT_EQ(Shape(doc), (std::vector<std::u16string>{u"0:A", u"1:B", u"1:C", u"2:D", u"0:E"}));
    CCorvinaDoc deepFirst;
    Import(deepFirst, "2\tA\t1\t0\t\t1\n");
    EXPECT_EQ(Shape(deepFirst), (std::vector<std::u16string>{u"0:A"}));
}

TEST_F(TextTest, LargestDepthNestsUnderThePreviousItem) {
    CCorvinaDoc doc;
    Import(doc, "0\tA\t1\t0\t\t1\n4294967295\tB\t1\t0\t\t1\n-1\tC\t1\t0\t\t1\n0\tD\t1\t0\t\t1\n");
    EXPECT_EQ(Shape(doc), (std::vector<std::u16string>{u"0:A", u"1:B", u"2:C", u"0:D"}));
}

TEST_F(TextTest, ImportStopsAtTheFirstIncompleteRecord) {
    CCorvinaDoc doc;
    Import(doc, "0\tA\t1\t0\t\t1\n0\tB\t1\t0\tnotes\t\n0\tC\t1\t0\t\t1\n");
    // B's quantity read finds the next line's 0 and then "C" is not a number: B is in, C is not.
    EXPECT_EQ(Shape(doc), (std::vector<std::u16string>{u"0:A", u"0:B"}));
    CCorvinaDoc cut;
    Import(cut, "0\tA\t1\t0\t\t1\n0\tB\t1\t0\tnotes");
    EXPECT_EQ(Shape(cut), (std::vector<std::u16string>{u"0:A"}));
    CCorvinaDoc heading;
    Import(heading, "Depth\tTitle\n0\tA\t1\t0\t\t1\n");
    EXPECT_EQ(heading.tree.Count(), 0u);
}

TEST_F(TextTest, SeventhFieldEndsOrContinuesTheImport) {
    CCorvinaDoc word;
    Import(word, "0\tA\t1\t0\t\t1\textra\n0\tB\t1\t0\t\t1\n");
    EXPECT_EQ(Shape(word), (std::vector<std::u16string>{u"0:A"}));
    CCorvinaDoc number;
    Import(number, "0\tA\t1\t0\t\t1\t1\tB\t1\t0\t\t1\n");
    EXPECT_EQ(Shape(number), (std::vector<std::u16string>{u"0:A", u"1:B"}));
}

TEST_F(TextTest, LeadingBlanksAndCarriageReturnsInFields) {
    ExpectTitleRoundTrip(u"  indented", "0\t  indented\t1\t0\t\t1\n");
    const TaskItem windows = ImportOne("0\tA\r\t1\t0\tx\r\ny\t1\r\n");
    // A lone CR is an ordinary character; CR LF arrives as LF and is stored as CR LF.
    EXPECT_EQ(windows.title, u"A\r");
    EXPECT_EQ(windows.notes, u"x\r\ny");
}

TEST_F(TextTest, TextIsUtf8AndOtherBytesReadAsWindows1252) {
    ExpectTitleRoundTrip(u"Caf\u00e9 \u20ac \U0001F95B",
                         "0\tCaf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\xA5\x9B\t1\t0\t\t1\n");
    const TaskItem old = ImportOne("0\tCaf\xE9 \x80\t1\t0\t\x93quoted\x94\t1\n");
    EXPECT_EQ(old.title, u"Caf\u00e9 \u20ac");
    EXPECT_EQ(old.notes, u"\u201cquoted\u201d");
}

TEST_F(TextTest, ImportAppendsToTheExistingTree) {
    CCorvinaDoc doc;
    doc.tree.AddItem(MakeItem(u"Existing"));
    Import(doc, "1\tNew\t1\t0\t\t1\n");
    EXPECT_EQ(Shape(doc), (std::vector<std::u16string>{u"0:Existing", u"0:New"}));
}

TEST_F(TextTest, UnopenableFilesDoNothingAndSayWhy) {
    TextFile missing(folder.WideFile("none.txt"), "r");
    EXPECT_FALSE(missing.IsOpen());
    CCorvinaDoc doc;
    ImportText(doc, missing);
    EXPECT_EQ(doc.tree.Count(), 0u);
    EXPECT_EQ(missing.ErrorMessage(), folder.WideFile("none.txt") + u" was not found.");
    TextFile nowhere(folder.WideFile("gone/out.txt"), "w");
    EXPECT_FALSE(nowhere.IsOpen());
    doc.tree.AddItem(MakeItem(u"A"));
    ExportText(doc, nowhere);
    EXPECT_FALSE(nowhere.Close());
    EXPECT_EQ(folder.EntryCount(), 0u);
    TextFile appending(folder.WideFile("a.txt"), "a");
    EXPECT_FALSE(appending.IsOpen());
    TextFile wide(folder.WideFile("w.txt"), u"w");
    EXPECT_TRUE(wide.IsOpen());
    EXPECT_TRUE(wide.Close());
    EXPECT_EQ(ReadBytes(folder.File("w.txt")), "");
}

// Opens `path` for writing without the superuser's rights (tests may run as root, who may write
// anywhere) and ends with 0 when the failure's message is `expected`.
void ExportAsNobody(const std::u16string& path, const std::u16string& expected) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
        ::_exit(2);
    }
    TextFile file(path, "w");
    ::_exit(!file.IsOpen() && file.ErrorMessage() == expected ? 0 : 1);
}

TEST_F(TextTest, AReadOnlyFolderIsNamedAsTheFolder) {
    std::filesystem::create_directory(folder.Path() / "full");
    ::chmod(folder.File("full").c_str(), 0555);
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EXIT(
        ExportAsNobody(folder.WideFile("full/x.txt"), u"The folder " + folder.WideFile("full") +
                                                          u" is read-only, so nothing can be saved in it."),
        ::testing::ExitedWithCode(0), "");
    ::chmod(folder.File("full").c_str(), 0755);
}

TEST_F(TextTest, FailedExportLeavesThePreviousTextFile) {
    WriteBytes(folder.File("out.txt"), "previous");
    CCorvinaDoc doc;
    for (int i = 0; i < 5000; ++i) {
        doc.tree.AddItem(MakeItem(u"An item of the list"));
    }
    TextFile file(folder.WideFile("out.txt"), "w");
    {
        ScopedFileWriteFault fault(1000, FileErrorCause::DiskFull);
        ExportText(doc, file);
        EXPECT_FALSE(file.Close());
    }
    EXPECT_EQ(file.Error(), FileErrorCause::DiskFull);
    EXPECT_EQ(ReadBytes(folder.File("out.txt")), "previous");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

// A text whose second record never ends its title: `zeros` NUL bytes follow, as from a pipe of
// zeros. The file is sparse, so it costs no disk.
void WriteEndlessField(const std::string& path, std::uint64_t zeros) {
    const std::string head = "0\tMilk\t1\t0\t\t2\n0\t";
    WriteBytes(path, head);
    std::filesystem::resize_file(path, head.size() + zeros);
}

TEST_F(TextTest, AFieldLongerThan64MiBStopsTheImportAndNamesTheFile) {
    constexpr std::uint64_t k64MiB = 64 * 1024 * 1024;
    WriteEndlessField(folder.File("in.txt"), k64MiB + 1);
    CCorvinaDoc doc;
    TextFile file(folder.WideFile("in.txt"), "r");
    ImportText(doc, file);
    EXPECT_EQ(Shape(doc), (std::vector<std::u16string>{u"0:Milk"}));
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(file.ErrorMessage(),
              folder.WideFile("in.txt") + u" has a field longer than 64 MiB; the items before it were read.");
}

#if defined(__SANITIZE_ADDRESS__)
#define CORVINA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVINA_ADDRESS_SANITIZER 1
#endif
#endif

// Imports a long field with only `headroom` bytes of address space left; exits 0 when the import
// stopped with the out-of-memory message and kept the item before it.
void ImportWithLittleMemory(const std::u16string& widePath, std::uint64_t headroom) {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    const rlimit limit{pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) + headroom, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) {
        std::_Exit(2);
    }
    CCorvinaDoc doc;
    TextFile file(widePath, "r");
    ImportText(doc, file);
    const bool stopped = !file.Close() && file.Error() == FileErrorCause::OutOfMemory &&
                         file.ErrorMessage() == u"There is not enough memory to read " + widePath + u"." &&
                         doc.tree.Count() == 1;
    std::_Exit(stopped ? 0 : 1);
}

TEST_F(TextTest, RunningOutOfMemorySaysSoInsteadOfEndingTheProgram) {
#ifdef CORVINA_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    constexpr std::uint64_t kFieldBytes = 48 * 1024 * 1024;
    constexpr std::uint64_t kHeadroom = 32 * 1024 * 1024;
    WriteEndlessField(folder.File("in.txt"), kFieldBytes);
    EXPECT_EXIT(ImportWithLittleMemory(folder.WideFile("in.txt"), kHeadroom), ::testing::ExitedWithCode(0),
                "");
#endif
}

} // namespace
