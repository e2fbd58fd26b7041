// The listing of list files: which files are listed, in which order, with which date and count
// texts, and how files whose header cannot be read are kept and described.
#include "support/DeviceRootFixture.h"

#include "platform/core/File.h"
#include "shell/ListFolderListing.h"
#include "shell/ListRowTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using shelltest::Day;
using shelltest::DeviceRootTest;

constexpr std::u16string_view kLists = u"\\Apps\\Lists";
constexpr std::u16string_view kPattern = u"*.crv";

std::vector<std::u16string> Names(const CFolderListing& listing) {
    std::vector<std::u16string> names;
    for (const FileRecord& record : listing.Records()) {
        names.push_back(record.fileName);
    }
    return names;
}

const FileRecord* FindRecord(const CFolderListing& listing, std::u16string_view name) {
    const auto& records = listing.Records();
    const auto found =
        std::ranges::find_if(records, [name](const FileRecord& r) { return r.fileName == name; });
    return found == records.end() ? nullptr : &*found;
}

class ListFolderListingTest : public DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        MakeFolder(kLists);
    }
    std::u16string Path(std::u16string_view name) const {
        return std::u16string(kLists) + u"\\" + std::u16string(name);
    }
};

TEST(FolderListingFolder, GetsOneTrailingBackslash) {
    const DeviceStorage device({u"/nowhere", {}}); // never read: only the folder's spelling is asked
    EXPECT_EQ(CListFolderListing(device, u"\\Apps\\Lists", u"*.crv").Folder(), u"\\Apps\\Lists\\");
    EXPECT_EQ(CListFolderListing(device, u"\\Apps\\Lists\\", u"*.crv").Folder(), u"\\Apps\\Lists\\");
    EXPECT_EQ(CListFolderListing(device, u"", u"*.crv").Folder(), u"");
    EXPECT_EQ(CListFolderListing(device, u"\\Apps\\\\Lists", u"*.crv").Folder(), u"\\Apps\\\\Lists\\");
}

TEST_F(ListFolderListingTest, EmptyFolderListsNothingAndEndsNormally) {
    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    EXPECT_TRUE(listing.Scan());
    EXPECT_TRUE(listing.Records().empty());
    EXPECT_TRUE(listing.Unreadable().empty());
    EXPECT_EQ(listing.GetColumnCount(), 2);
}

TEST_F(ListFolderListingTest, MissingFolderListsNothingAndSaysSo) {
    CListFolderListing listing(Device(), u"\\Nowhere\\Lists", std::u16string(kPattern));
    EXPECT_FALSE(listing.Scan());
    EXPECT_TRUE(listing.Records().empty());
}

TEST_F(ListFolderListingTest, RecordsHoldNameDateAndCountInNameOrder) {
    WriteList(Path(u"Shopping.crv"), 12, {2004, 3, 5});
    WriteList(Path(u"Packing.crv"), 1, {2009, 12, 31});
    WriteList(Path(u"Empty.crv"), 0, {2010, 1, 1});
    WriteList(Path(u"Two.crv"), 2, {1999, 10, 9});

    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    ASSERT_TRUE(listing.Scan());
    EXPECT_EQ(Names(listing),
              (std::vector<std::u16string>{u"Empty.crv", u"Packing.crv", u"Shopping.crv", u"Two.crv"}));

    const auto columns = [&](std::u16string_view name) { return FindRecord(listing, name)->columns; };
    EXPECT_EQ(columns(u"Shopping.crv"), (std::vector<std::u16string>{u"3/5/04", u"12 items"}));
    EXPECT_EQ(columns(u"Packing.crv"), (std::vector<std::u16string>{u"12/31/09", u"1 item"}));
    EXPECT_EQ(columns(u"Empty.crv"), (std::vector<std::u16string>{u"1/1/10", u"No items"}));
    EXPECT_EQ(columns(u"Two.crv"), (std::vector<std::u16string>{u"10/9/99", u"2 items"}));
}

TEST_F(ListFolderListingTest, MatchesThePatternWithLetterCase) {
    WriteList(Path(u"Shop.crv"), 3);
    WriteList(Path(u"Shop.CRV"), 3);
    WriteList(Path(u"Notes.txt"), 3);
    WriteList(Path(u"crv"), 3);
    std::filesystem::create_directory(Host(Path(u"Folder.crv")));

    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    ASSERT_TRUE(listing.Scan());
    EXPECT_EQ(Names(listing), std::vector<std::u16string>{u"Shop.crv"});
}

TEST_F(ListFolderListingTest, VersionTwoFileCountsFromItsFirstWord) {
    WriteFile(Path(u"Old.crv"), {0x05, 0x00, 0x00, 0x00, 0xAA, 0xBB}, {2003, 7, 14});
    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    listing.Scan();
    ASSERT_EQ(listing.Records().size(), 1u);
    EXPECT_EQ(listing.Records()[0].columns[1], u"5 items");
}

TEST_F(ListFolderListingTest, RescanRebuildsFromTheFolder) {
    WriteList(Path(u"A.crv"), 1);
    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    listing.Scan();
    std::filesystem::remove(Host(Path(u"A.crv")));
    WriteList(Path(u"B.crv"), 4);
    listing.Scan();
    EXPECT_EQ(Names(listing), std::vector<std::u16string>{u"B.crv"});
}

// A damaged file used to end the whole refresh; now only its own row is marked.
TEST_F(ListFolderListingTest, UnreadableFilesKeepTheirRowAndTheOthersTheirs) {
    WriteList(Path(u"Good.crv"), 7, {2004, 3, 5});
    WriteFile(Path(u"Empty.crv"), {}, {2005, 6, 7});
    WriteFile(Path(u"Cut.crv"), {0xEF, 0xBE, 0xAD, 0xDE, 0x03, 0x00}, {2006, 8, 9});

    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    ASSERT_TRUE(listing.Scan());
    ASSERT_EQ(listing.Records().size(), 3u);
    EXPECT_EQ(FindRecord(listing, u"Good.crv")->columns,
              (std::vector<std::u16string>{u"3/5/04", u"7 items"}));
    EXPECT_EQ(FindRecord(listing, u"Empty.crv")->columns, (std::vector<std::u16string>{u"6/7/05", u"Error"}));
    EXPECT_EQ(FindRecord(listing, u"Cut.crv")->columns, (std::vector<std::u16string>{u"8/9/06", u"Error"}));

    ASSERT_EQ(listing.Unreadable().size(), 2u);
    for (const UnreadableFile& file : listing.Unreadable()) {
        EXPECT_EQ(file.message, u"An attempt was made to access " + file.fileName + u" past its end.");
    }
    const auto empty =
        std::ranges::find_if(listing.Unreadable(), [](const auto& f) { return f.fileName == u"Empty.crv"; });
    ASSERT_NE(empty, listing.Unreadable().end());
    EXPECT_EQ(empty->size, 0u);
    EXPECT_EQ(empty->lastWriteTime.wYear, 2005);
}

TEST_F(ListFolderListingTest, FileThatCannotBeOpenedIsNamedInItsMessage) {
    WriteList(Path(u"Busy.crv"), 3);
    WriteList(Path(u"Free.crv"), 4);
    // Another program holds the file for writing, so it cannot be opened for reading just now.
    CFile holder;
    ASSERT_TRUE(holder.OpenHostPath(Host(Path(u"Busy.crv")).string(), Path(u"Busy.crv"),
                                    CFile::modeReadWrite | CFile::shareExclusive));

    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    listing.Scan();
    EXPECT_EQ(FindRecord(listing, u"Busy.crv")->columns[1], u"Error");
    EXPECT_EQ(FindRecord(listing, u"Free.crv")->columns[1], u"4 items");
    ASSERT_EQ(listing.Unreadable().size(), 1u);
    EXPECT_EQ(listing.Unreadable()[0].message,
              u"A sharing violation occurred while accessing \\Apps\\Lists\\Busy.crv.");

    holder.Close();
    listing.Scan();
    EXPECT_EQ(FindRecord(listing, u"Busy.crv")->columns[1], u"3 items");
    EXPECT_TRUE(listing.Unreadable().empty());
}

TEST(ListRowTexts, DatesShowMonthDayAndTwoDigitYear) {
    EXPECT_EQ(FormatListDate({2004, 3, 0, 5}), u"3/5/04");
    EXPECT_EQ(FormatListDate({2009, 12, 0, 31}), u"12/31/09");
    EXPECT_EQ(FormatListDate({2010, 1, 0, 1}), u"1/1/10");
    EXPECT_EQ(FormatListDate({2000, 2, 0, 29}), u"2/29/00");
}

} // namespace
