// Listing the names first and reading each row's date and header later, in any order: on random
// folders of good, old, damaged, locked and linked list files, the rows must say what the files'
// bytes and times say, exactly as a listing read whole says it.
#include "support/DeviceRootFixture.h"

#include "platform/core/File.h"
#include "shell/ListFolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using shelltest::Day;
using shelltest::DeviceRootTest;

constexpr std::u16string_view kLists = u"\\Apps\\Lists";
constexpr std::u16string_view kPattern = u"*.crv";

/// What one row must show: the date and the count text, worked out from the file by the rule.
struct Expected {
    std::u16string date;
    std::u16string count;
    bool operator==(const Expected&) const = default;
};

std::u16string DateText(Day day) {
    char text[16];
    std::snprintf(text, sizeof text, "%d/%d/%02d", day.month, day.day, day.year % 100);
    return Widen(text);
}

std::uint32_t LittleEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

/// The count column as the header rule gives it: a file starting with the marker holds its count
/// at byte 8, any other file at byte 0; one that ends before its count shows "Error".
std::u16string CountText(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4) {
        return u"Error";
    }
    std::uint32_t count = LittleEndianAt(bytes, 0);
    if (count == 0xDEADBEEF) {
        if (bytes.size() < 12) {
            return u"Error";
        }
        count = LittleEndianAt(bytes, 8);
    }
    if (count == 0) {
        return u"No items";
    }
    return count == 1 ? u"1 item" : Widen(std::to_string(count) + " items");
}

class ListFolderDetailsTest : public DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        MakeFolder(kLists);
    }
    static std::u16string Path(std::u16string_view name) {
        return std::u16string(kLists) + u"\\" + std::u16string(name);
    }

    /// Fills the folder with random files; answers what the listing must show for each list file.
    std::map<std::u16string, Expected> MakeRandomFolder(std::mt19937& random) {
        std::map<std::u16string, Expected> expected;
        const auto pick = [&](int below) {
            return static_cast<int>(random() % static_cast<unsigned>(below));
        };
        const int files = pick(60);
        static constexpr const char16_t* kStems[] = {u"List ", u"list", u"Shop", u"Zoo 0", u"Äpfel ", u"x"};
        for (int i = 0; i < files; ++i) {
            std::u16string name = kStems[pick(6)] + Widen(std::to_string(pick(1000)));
            const int kind = pick(12);
            name += kind == 11 ? u".CRV" : u".crv";
            if (expected.contains(name) || std::filesystem::exists(Host(Path(name)))) {
                continue;
            }
            const Day day{1990 + pick(40), 1 + pick(12), 1 + pick(28)};
            std::vector<std::uint8_t> bytes;
            switch (kind) {
            case 0: // cut anywhere inside the longest header
                bytes = shelltest::ListHeader(static_cast<std::uint32_t>(random()));
                bytes.resize(static_cast<std::size_t>(pick(12)));
                break;
            case 1: // an old file without the marker: its first word is the count
                for (int b = 0; b < 4 + pick(8); ++b) {
                    bytes.push_back(static_cast<std::uint8_t>(pick(256)));
                }
                break;
            default:
                bytes = shelltest::ListHeader(static_cast<std::uint32_t>(pick(4) == 0 ? pick(3) : random()));
                break;
            }
            if (kind == 9) { // a folder named like a list is no list
                MakeFolder(Path(name));
                continue;
            }
            if (kind == 10 && !expected.empty()) { // a link to another list shows that list
                const std::u16string target = expected.begin()->first;
                std::filesystem::create_symlink(Host(Path(target)).filename(), Host(Path(name)));
                expected[name] = expected.begin()->second;
                m_linkTargets[name] = target;
                continue;
            }
            WriteFile(Path(name), bytes, day);
            if (kind != 11) {
                expected[name] = {DateText(day), CountText(bytes)};
            }
        }
        // A link to nothing is no list either.
        std::filesystem::create_symlink("Nowhere", Host(Path(u"Dangling.crv")));
        return expected;
    }

    std::map<std::u16string, std::u16string> m_linkTargets; ///< the links among the lists, to what
};

std::map<std::u16string, Expected> Shown(const CListFolderListing& listing) {
    std::map<std::u16string, Expected> shown;
    for (const FileRecord& record : listing.Records()) {
        EXPECT_EQ(record.columns.size(), 2u) << "row " << ToUtf8(record.fileName) << " not read";
        if (record.columns.size() == 2) {
            shown[record.fileName] = {record.columns[0], record.columns[1]};
        }
    }
    return shown;
}

std::vector<std::u16string> Names(const CListFolderListing& listing) {
    std::vector<std::u16string> names;
    for (const FileRecord& record : listing.Records()) {
        names.push_back(record.fileName);
    }
    return names;
}

TEST_F(ListFolderDetailsTest, RowsReadOneByOneInAnyOrderShowWhatTheFilesSayAsAWholeReadDoes) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::filesystem::remove_all(Host(kLists));
        MakeFolder(kLists);
        m_linkTargets.clear();
        std::mt19937 random(seed);
        const std::map<std::u16string, Expected> expected = MakeRandomFolder(random);

        // Another program holds one list for writing: it cannot be read just now.
        std::unique_ptr<CFile> holder;
        std::map<std::u16string, Expected> withHeld = expected;
        if (!expected.empty() && seed % 2 == 0) {
            auto held = std::next(withHeld.begin(), static_cast<long>(random() % withHeld.size()));
            holder = std::make_unique<CFile>();
            ASSERT_TRUE(holder->OpenHostPath(Host(Path(held->first)).string(), Path(held->first),
                                             CFile::modeReadWrite | CFile::shareExclusive));
            held->second.count = u"Error";
            for (const auto& [link, target] : m_linkTargets) {
                if (target == held->first) {
                    withHeld[link].count = u"Error"; // opened through the link, it is the same file
                }
            }
        }

        CListFolderListing whole{Device(), std::u16string(kLists), std::u16string(kPattern)};
        ASSERT_TRUE(whole.Scan());
        EXPECT_TRUE(whole.AllDetailsRead());
        EXPECT_EQ(Shown(whole), withHeld);

        CListFolderListing lazy{Device(), std::u16string(kLists), std::u16string(kPattern)};
        ASSERT_TRUE(lazy.ScanNames());
        EXPECT_EQ(Names(lazy), Names(whole)) << "the same rows in the same order";
        for (const FileRecord& record : lazy.Records()) {
            EXPECT_TRUE(record.columns.empty()) << "nothing is read before it is asked for";
        }
        EXPECT_EQ(lazy.AllDetailsRead(), lazy.Records().empty());

        // Some rows as a user scrolls to them, some twice, then the rest in steps of random size.
        std::vector<std::size_t> order(lazy.Records().size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::shuffle(order.begin(), order.end(), random);
        order.resize(order.size() / 2);
        for (const std::size_t row : order) {
            EXPECT_EQ(lazy.ReadDetails(row).columns, whole.Records()[row].columns);
            EXPECT_EQ(lazy.ReadDetails(row).columns, whole.Records()[row].columns) << "read again";
        }
        while (!lazy.ReadMoreDetails(1 + random() % 7)) {
        }
        EXPECT_EQ(Shown(lazy), withHeld);

        // The same unreadable files with the same messages, in the rows' order.
        ASSERT_EQ(lazy.Unreadable().size(), whole.Unreadable().size());
        for (std::size_t i = 0; i < lazy.Unreadable().size(); ++i) {
            EXPECT_EQ(lazy.Unreadable()[i].fileName, whole.Unreadable()[i].fileName);
            EXPECT_EQ(lazy.Unreadable()[i].message, whole.Unreadable()[i].message);
            EXPECT_EQ(lazy.Unreadable()[i].size, whole.Unreadable()[i].size);
            EXPECT_TRUE(lazy.Unreadable()[i].IsSameVersionAs(whole.Unreadable()[i]));
        }
        std::set<std::u16string> errors;
        for (const auto& [name, row] : withHeld) {
            if (row.count == u"Error") {
                errors.insert(name);
            }
        }
        std::set<std::u16string> reported;
        for (const UnreadableFile& file : lazy.Unreadable()) {
            reported.insert(file.fileName);
        }
        EXPECT_EQ(reported, errors);
    }
}

// Between listing the names and reading a row the file may go: the row stays, says so, and the
// file is reported as not found rather than dropped without a word.
TEST_F(ListFolderDetailsTest, AFileGoneBeforeItsRowIsReadShowsNoDateAndIsReported) {
    WriteList(Path(u"Kept.crv"), 2, {2004, 3, 5});
    WriteList(Path(u"Gone.crv"), 3, {2004, 3, 5});
    CListFolderListing listing{Device(), std::u16string(kLists), std::u16string(kPattern)};
    ASSERT_TRUE(listing.ScanNames());
    std::filesystem::remove(Host(Path(u"Gone.crv")));
    EXPECT_TRUE(listing.ReadMoreDetails(10));
    ASSERT_EQ(Names(listing), (std::vector<std::u16string>{u"Gone.crv", u"Kept.crv"}));
    EXPECT_EQ(listing.Records()[0].columns, (std::vector<std::u16string>{u"", u"Error"}));
    EXPECT_EQ(listing.Records()[1].columns, (std::vector<std::u16string>{u"3/5/04", u"2 items"}));
    ASSERT_EQ(listing.Unreadable().size(), 1u);
    EXPECT_EQ(listing.Unreadable()[0].message, u"\\Apps\\Lists\\Gone.crv was not found.");
}

} // namespace
