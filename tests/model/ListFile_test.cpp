// The list file: exact bytes written, versions 2 and 3 read, header-only reads, and damaged files.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/CorvinaDoc.h"
#include "model/ListFileHeader.h"
#include "platform/core/Archive.h"
#include "platform/core/ErrorReport.h"
#include "support/ListBytes.h"
#include "support/TestFolder.h"

namespace {

using namespace list_bytes;

class ListFileTest : public ::testing::Test {
protected:
    ListFileTest()
        : m_capture([this](std::u16string_view message, MessageIcon icon) {
              messages.emplace_back(message);
              icons.push_back(icon);
          }) {}

    /// Saves `doc` to a fresh file and answers the bytes written.
    std::string SavedBytes(CCorvinaDoc& doc) {
        EXPECT_TRUE(doc.OnSaveDocument(folder.WideFile("saved.crv")));
        return ReadBytes(folder.File("saved.crv"));
    }

    /// Writes `bytes` as a list file and opens it as the Open command does.
    bool Open(CCorvinaDoc& doc, const std::string& bytes) {
        WriteBytes(folder.File("list.crv"), bytes);
        doc.SetPathName(folder.WideFile("list.crv"));
        doc.SetModifiedFlag(false);
        return doc.OnOpenDocument(folder.WideFile("list.crv"));
    }

    /// Reads only the header of `bytes`; sets `version` to what the document recorded.
    std::uint32_t HeaderCount(const std::string& bytes, std::int32_t& version) {
        WriteBytes(folder.File("header.crv"), bytes);
        CFile file;
        EXPECT_TRUE(file.Open(folder.WideFile("header.crv"), CFile::modeRead | CFile::shareDenyWrite));
        CArchive archive(&file, CArchive::load, CDocument::kArchiveBufferSize);
        CCorvinaDoc doc;
        const std::uint32_t count = doc.ReadHeader(archive);
        version = doc.version;
        return count;
    }

    static std::vector<std::u16string> TopTitles(const CCorvinaDoc& doc) {
        std::vector<std::u16string> titles;
        for (const TaskNode* node : doc.tree.root.Children()) {
            titles.push_back(node->item.title.str());
        }
        return titles;
    }

    TestFolder folder;
    std::vector<std::u16string> messages;
    std::vector<MessageIcon> icons;

private:
    ScopedErrorReportHandler m_capture;
};

TEST_F(ListFileTest, OneItemListIsSixtyEightBytes) {
    CCorvinaDoc doc;
    TaskItem milk;
    milk.title = u"Milk";
    milk.quantity = 2;
    milk.checked = 1;
    milk.importance = TaskItem::kHighImportance;
    doc.tree.AddItem(milk);
    const std::string expected =
        Header(1) + RootItem() + U32(1) + Item(Wide(u"Milk"), 2, 1, 0) + Wide(u"") + U32(0);
    ASSERT_EQ(expected.size(), 68u);
    EXPECT_EQ(SavedBytes(doc), expected);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListFileTest, EmptyListIsThirtySixBytes) {
    CCorvinaDoc doc;
    const std::string bytes = SavedBytes(doc);
    EXPECT_EQ(bytes, Header(0) + RootItem() + U32(0));
    EXPECT_EQ(bytes.size(), 36u);
}

TEST_F(ListFileTest, SaveAndLoadRoundTripEveryField) {
    CCorvinaDoc doc;
    TaskItem item;
    item.title = u"Bread \u20ac";
    item.quantity = 0xFFFFFFFF;
    item.importance = -7;
    item.notes = u"rye\r\nor wheat, \"fresh\"";
    TaskNode* bread = doc.tree.AddItem(item);
    doc.tree.AddItem(item, bread);
    doc.tree.AddItem(TaskItem(), doc.tree.AddItem(item, bread));
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("round.crv")));
    EXPECT_FALSE(doc.IsModified());

    CCorvinaDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(folder.WideFile("round.crv")));
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(loaded.version, 3);
    ASSERT_EQ(loaded.tree.Count(), 4u);
    const TaskNode* first = loaded.tree.root.ChildAt(0);
    EXPECT_EQ(first->item, item);
    ASSERT_EQ(first->ChildCount(), 2u);
    EXPECT_EQ(first->ChildAt(1)->ChildAt(0)->item, TaskItem());
    EXPECT_EQ(first->ChildAt(1)->parent, first);
}

TEST_F(ListFileTest, VersionTwoFileHasNoMarkerAndNoNotes) {
    const std::string v2 = U32(5) + RootItem(false) + U32(1) + Item(Wide(u"Eggs"), 6, 0, 2) + U32(0);
    std::int32_t version = 0;
    EXPECT_EQ(HeaderCount(v2, version), 5u);
    EXPECT_EQ(version, 2);

    CCorvinaDoc doc;
    ASSERT_TRUE(Open(doc, v2));
    EXPECT_EQ(doc.version, 2);
    EXPECT_EQ(TopTitles(doc), (std::vector<std::u16string>{u"Eggs"}));
    EXPECT_EQ(doc.tree.root.ChildAt(0)->item.importance, 2);
    // The next save writes version 3 with empty notes and the true count.
    EXPECT_EQ(SavedBytes(doc),
              Header(1) + RootItem() + U32(1) + Item(Wide(u"Eggs"), 6, 0, 2) + Wide(u"") + U32(0));
    EXPECT_EQ(doc.version, 3);
}

TEST_F(ListFileTest, OtherVersionsAfterTheMarkerReadWithoutNotes) {
    const std::string v4 = Header(1, 4) + RootItem(false) + U32(1) + Item(Wide(u"Tea"), 1, 0, 1) + U32(0);
    CCorvinaDoc doc;
    ASSERT_TRUE(Open(doc, v4));
    EXPECT_EQ(doc.version, 4);
    EXPECT_EQ(TopTitles(doc), (std::vector<std::u16string>{u"Tea"}));
    std::int32_t version = 0;
    EXPECT_EQ(HeaderCount(Header(9, 0xFFFFFFFF), version), 9u);
    EXPECT_EQ(version, -1);
}

TEST_F(ListFileTest, EightBitStringsAreReadAndWrittenBackWide) {
    const std::string bytes = Header(1) + RootItem() + U32(1) + Item(Narrow("Caf\xE9"), 1, 0, 1) +
                              Narrow("caf\xC3\xA9 au lait") + U32(0);
    CCorvinaDoc doc;
    ASSERT_TRUE(Open(doc, bytes));
    const TaskItem& item = doc.tree.root.ChildAt(0)->item;
    EXPECT_EQ(item.title, u"Caf\u00e9");
    EXPECT_EQ(item.notes, u"caf\u00e9 au lait");
    const std::string saved = SavedBytes(doc);
    EXPECT_EQ(saved.substr(36, 4), "\xFF\xFE\xFF\x04");
}

TEST_F(ListFileTest, CheckedValuesNormaliseToOne) {
    const std::string bytes =
        Header(1) + RootItem() + U32(1) + Item(Wide(u"A"), 1, 7, 1) + Wide(u"") + U32(0);
    CCorvinaDoc doc;
    ASSERT_TRUE(Open(doc, bytes));
    EXPECT_EQ(doc.tree.root.ChildAt(0)->item.checked, 1);
    EXPECT_EQ(SavedBytes(doc).substr(46, 4), U32(1));
}

TEST_F(ListFileTest, TrailingBytesAndNegativeCountsAreHarmless) {
    const std::string bytes = Header(1) + RootItem() + U32(1) + Item(Wide(u"A"), 1, 0, 1) + Wide(u"") +
                              U32(0x80000000) + "trailing garbage";
    CCorvinaDoc doc;
    ASSERT_TRUE(Open(doc, bytes));
    EXPECT_EQ(doc.tree.Count(), 1u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListFileTest, ZeroLengthFileIsAnEmptyList) {
    CCorvinaDoc doc;
    EXPECT_TRUE(Open(doc, ""));
    EXPECT_EQ(doc.tree.Count(), 0u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListFileTest, FileCutInsideAnItemKeepsEarlierCompleteItems) {
    const std::string whole = Header(4) + RootItem() + U32(3) + Item(Wide(u"One"), 1, 0, 1) + Wide(u"") +
                              U32(0) + Item(Wide(u"Two"), 1, 0, 1) + Wide(u"") + U32(1) +
                              Item(Wide(u"Sub"), 1, 0, 1) + Wide(u"") + U32(0) +
                              Item(Wide(u"Three"), 1, 0, 1) + Wide(u"") + U32(0);
    // Cut inside "Sub": "One" is kept, "Two" is dropped with its partial subtree.
    const std::size_t cut = whole.find(Wide(u"Sub")) + 5;
    CCorvinaDoc doc;
    EXPECT_FALSE(Open(doc, whole.substr(0, cut)));
    EXPECT_EQ(TopTitles(doc), (std::vector<std::u16string>{u"One"}));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(messages, (std::vector<std::u16string>{u"Unexpected file format."}));
    EXPECT_EQ(icons.at(0), MessageIcon::Exclamation);
    // Every cut of the whole file fails cleanly (the last byte is the last child count).
    for (std::size_t length = 1; length < whole.size(); ++length) {
        CCorvinaDoc partial;
        EXPECT_FALSE(Open(partial, whole.substr(0, length))) << length;
    }
}

TEST_F(ListFileTest, EveryCutKeepsTheTopLevelItemsCompleteBeforeIt) {
    // Small items, so a cut soon after the first ones leaves less than the root's count could need:
    // the items already complete must still be kept.
    const std::vector<std::pair<std::u16string, std::string>> items = {
        {u"A", Item(Narrow("A"), 1, 0, 1) + Narrow("") + U32(0)},
        {u"B",
         Item(Narrow("B"), 1, 0, 1) + Narrow("") + U32(1) + Item(Narrow("b"), 1, 0, 1) + Narrow("") + U32(0)},
        {u"C", Item(Narrow("C"), 1, 0, 1) + Narrow("") + U32(0)},
    };
    std::string whole = Header(4) + RootItem() + U32(static_cast<std::uint32_t>(items.size()));
    std::vector<std::size_t> ends;
    for (const auto& [title, bytes] : items) {
        whole += bytes;
        ends.push_back(whole.size());
    }
    for (std::size_t length = 1; length < whole.size(); ++length) {
        std::vector<std::u16string> expected;
        for (std::size_t i = 0; i < items.size() && ends[i] <= length; ++i) {
            expected.push_back(items[i].first);
        }
        CCorvinaDoc doc;
        EXPECT_FALSE(Open(doc, whole.substr(0, length))) << length;
        EXPECT_EQ(TopTitles(doc), expected) << length;
    }
}

// Records are taken whole from the read-ahead when they lie in it, else read piece by piece: a read
// ahead of four bytes never holds a record, so it reads everything piece by piece. Every size of
// read-ahead, on every cut of a file, must give the same items and the same verdict.
TEST_F(ListFileTest, EveryReadAheadSizeReadsEveryCutAlike) {
    CCorvinaDoc doc;
    TaskItem longest;
    longest.title = std::u16string(254, u'a'); // the longest length that takes one byte
    longest.notes = u"to the brim \u20ac";
    longest.checked = 1;
    TaskItem longer;
    longer.title = std::u16string(255, u'b'); // the first that takes a longer length field
    longer.quantity = 0xFFFFFFFF;
    longer.importance = -3;
    TaskNode* top = doc.tree.AddItem(longest);
    doc.tree.AddItem(TaskItem(), doc.tree.AddItem(longer, top));
    doc.tree.AddItem(longest, top);
    doc.tree.AddItem(longer);
    const std::string whole = SavedBytes(doc);

    // Each cut in a file of its own: rewriting one file makes the file system write it out each time.
    const auto writeCut = [this](const std::string& bytes) {
        const std::string name = "cut-" + std::to_string(bytes.size()) + ".crv";
        WriteBytes(folder.File(name), bytes);
        return name;
    };
    const auto readWith = [this](const std::string& name, std::size_t readAhead, bool& complete) {
        CFile file;
        EXPECT_TRUE(file.Open(folder.WideFile(name), CFile::modeRead | CFile::shareDenyWrite));
        CArchive archive(&file, CArchive::load, readAhead);
        CCorvinaDoc read;
        complete = true;
        try {
            read.Serialize(archive);
        } catch (const CArchiveException&) {
            complete = false;
        }
        std::vector<std::pair<std::size_t, TaskItem>> items;
        read.tree.Walk(
            [&](const TaskNode& node, std::size_t depth) { items.emplace_back(depth, node.item); });
        return items;
    };
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const std::string cut = writeCut(whole.substr(0, length));
        bool piecewiseComplete = false;
        const auto piecewise = readWith(cut, 4, piecewiseComplete);
        for (const std::size_t readAhead : {7, 33, 600, 64 * 1024}) {
            bool complete = false;
            EXPECT_EQ(readWith(cut, readAhead, complete), piecewise) << length << " " << readAhead;
            EXPECT_EQ(complete, piecewiseComplete) << length << " " << readAhead;
        }
    }
    bool complete = false;
    EXPECT_EQ(readWith(writeCut(whole), 64 * 1024, complete).size(), 5u);
    EXPECT_TRUE(complete);
}

TEST_F(ListFileTest, ClaimedCountsLargerThanTheDataFailWithoutAllocatingAhead) {
    // Two thousand million children in a few bytes, and a string of four thousand million units.
    const std::string hugeCount = Header(1) + RootItem() + U32(0x7FFFFFFF) + Item(Wide(u"A"), 1, 0, 1);
    const std::string hugeString =
        Header(0) + "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + U32(1) + U32(0) + U32(1);
    // Nested nodes each claiming what the rest of the file could hold at most once.
    std::string nested = Header(3) + RootItem() + U32(3);
    for (int level = 0; level < 3; ++level) {
        nested += Item(Narrow(""), 1, 0, 1) + Narrow("") + U32(3);
    }
    for (const std::string& bytes : {hugeCount, hugeString, nested}) {
        CCorvinaDoc doc;
        messages.clear();
        EXPECT_FALSE(Open(doc, bytes));
        EXPECT_EQ(messages, (std::vector<std::u16string>{u"Unexpected file format."}));
        EXPECT_EQ(doc.tree.Count(), 0u);
    }
}

TEST_F(ListFileTest, RepeatedWideMarkerFailsTheLoad) {
    const std::string bytes = Header(1) + RootItem() + U32(1) +
                              std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x00\x00", 8) + U32(1) + U32(0) + U32(1) +
                              Wide(u"") + U32(0);
    CCorvinaDoc doc;
    EXPECT_FALSE(Open(doc, bytes));
    EXPECT_EQ(messages, (std::vector<std::u16string>{u"Unexpected file format."}));
}

TEST_F(ListFileTest, DeepChainLoadsWithoutRecursion) {
    constexpr int kDepth = 100000;
    std::string bytes = Header(kDepth) + RootItem() + U32(1);
    for (int level = 0; level < kDepth; ++level) {
        bytes += Item(Narrow("x"), 1, 0, 1) + Narrow("") + U32(level + 1 < kDepth ? 1 : 0);
    }
    CCorvinaDoc doc;
    ASSERT_TRUE(Open(doc, bytes));
    EXPECT_EQ(doc.tree.Count(), static_cast<std::size_t>(kDepth));
}

TEST_F(ListFileTest, HeaderShorterThanItselfFailsWithEndOfFile) {
    std::int32_t version = 0;
    try {
        HeaderCount(std::string("\xEF\xBE\xAD\xDE\x03\x00", 6), version);
        FAIL() << "a short header was read";
    } catch (const CArchiveException& failure) {
        EXPECT_EQ(failure.Cause(), ArchiveErrorCause::EndOfFile);
    }
}

TEST_F(ListFileTest, HeaderOfAFileByPath) {
    WriteBytes(folder.File("h.crv"), Header(12) + "rest is never read");
    const ListFileHeader header = ReadListFileHeader(folder.WideFile("h.crv"));
    EXPECT_EQ(header.version, 3);
    EXPECT_EQ(header.itemCount, 12u);
    EXPECT_THROW(ReadListFileHeader(folder.WideFile("none.crv")), CFileException);
    WriteBytes(folder.File("short.crv"), "\x01\x02");
    try {
        ReadListFileHeader(folder.WideFile("short.crv"));
        ADD_FAILURE() << "a file shorter than its header";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.Cause(), FileErrorCause::EndOfFile);
        EXPECT_EQ(failure.GetErrorMessage(), u"An attempt was made to access short.crv past its end.")
            << "named by its name, without the folder";
    }
}

// The header read on its own, one small read, against the rule written out: a file that starts
// with the marker holds marker, version and count, all three or it ends too early; any other first
// four bytes are the count of a version 2 file. Every prefix is read both ways: decoded, and as a
// document reads it through its archive.
TEST_F(ListFileTest, HeaderOfEveryPrefixReadsAsTheDocumentReadsIt) {
    const std::pair<std::string, bool> files[] = {{Header(0x01020304, 7) + "items", true},
                                                  {U32(0xDEADBEEE) + "items", false}};
    for (const auto& [bytes, marked] : files) {
        for (std::size_t length = 0; length <= bytes.size(); ++length) {
            const std::string prefix = bytes.substr(0, length);
            const std::optional<ListFileHeader> decoded = DecodeListFileHeader(prefix);
            const bool complete = length >= (marked ? 12u : 4u);
            ASSERT_EQ(decoded.has_value(), complete) << length;
            std::int32_t version = 0;
            if (!complete) {
                EXPECT_THROW(HeaderCount(prefix, version), CArchiveException) << length;
                continue;
            }
            EXPECT_EQ(decoded->version, marked ? 7 : 2) << length;
            EXPECT_EQ(decoded->itemCount, marked ? 0x01020304u : 0xDEADBEEEu) << length;
            EXPECT_EQ(HeaderCount(prefix, version), decoded->itemCount) << length;
            EXPECT_EQ(version, decoded->version) << length;
        }
    }
}

TEST_F(ListFileTest, HeaderOfAFileByItsHostPathIsNamedByItsOwnPath) {
    WriteBytes(folder.File("h.crv"), Header(3));
    EXPECT_EQ(ReadListFileHeader(folder.File("h.crv"), u"\\Lists\\h.crv").itemCount, 3u);
    try {
        ReadListFileHeader(folder.File("none.crv"), u"\\Lists\\none.crv");
        ADD_FAILURE() << "a missing file was read";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.GetErrorMessage(), u"\\Lists\\none.crv was not found.");
    }
    WriteBytes(folder.File("cut.crv"), Header(3).substr(0, 8));
    try {
        ReadListFileHeader(folder.File("cut.crv"), u"\\Lists\\Cut short.crv");
        ADD_FAILURE() << "a file shorter than its header";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.GetErrorMessage(), u"An attempt was made to access Cut short.crv past its end.");
    }
}

TEST_F(ListFileTest, MissingFileReportsTheCauseAndLeavesTheDocument) {
    CCorvinaDoc doc;
    doc.tree.AddItem(TaskItem());
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile("missing.crv")));
    EXPECT_EQ(messages, (std::vector<std::u16string>{folder.WideFile("missing.crv") + u" was not found."}));
    EXPECT_EQ(doc.tree.Count(), 1u);
}

TEST(CorvinaDoc, TitlePathAndNewDocument) {
    CCorvinaDoc doc;
    EXPECT_EQ(doc.version, 3);
    EXPECT_STREQ(doc.GetRuntimeClass()->className, "CCorvinaDoc");
    doc.SetPathName(u"\\My Documents\\Lists\\Groceries.crv");
    EXPECT_EQ(doc.GetTitle(), u"Groceries.crv");
    doc.SetPathName(u"/home/user/Packing.CRV");
    EXPECT_EQ(doc.GetTitle(), u"Packing.CRV");
    doc.tree.AddItem(TaskItem());
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.tree.Count(), 1u);
}

} // namespace
