// The record writer's bytes against the file format written out by hand: every length form of a
// wide string, and a child count settled after its record has already gone to the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ListRecordWriter.h"
#include "platform/core/File.h"
#include "support/ListBytes.h"
#include "support/TestFolder.h"

namespace {

using namespace list_bytes;

// A wide string in whichever length form its length asks for: one byte up to 254, FF and 16 bits
// below FFFE, else FF FFFF and 32 bits.
std::string AnyWide(const std::u16string& text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    std::string out = "\xFF\xFE\xFF";
    if (length <= 254) {
        out += static_cast<char>(length);
    } else if (length < 0xFFFE) {
        out += '\xFF';
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
    } else {
        out += "\xFF\xFF\xFF";
        out += U32(length);
    }
    for (const char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

TEST(ListRecordWriter, EveryLengthFormAndALateChildCountAreTheFormatsBytes) {
    const std::vector<std::size_t> lengths = {0, 1, 254, 255, 0xFFFD, 0xFFFE, 0x10000};
    TestFolder folder;
    CFile file;
    ASSERT_TRUE(file.Open(folder.WideFile("list.crv"), CFile::modeCreate | CFile::modeWrite));
    ListRecordWriter writer(file);
    const ListRecord root;
    const ListRecordWriter::CountPlace rootCount = writer.Write(root, 0, 0);
    std::string expected = Item(AnyWide(u""), 1, 0, 1) + AnyWide(u"") + U32(lengths.size());
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        ListRecord item;
        item.title = std::u16string(lengths[i], static_cast<char16_t>(u'a' + i));
        item.notes = std::u16string(lengths.size() - i, u'\u00e9');
        item.quantity = 0xFFFFFFFF - static_cast<std::uint32_t>(i);
        item.importance = -static_cast<std::int32_t>(i);
        const auto place = writer.Write(item, static_cast<std::uint8_t>(i % 2), 0);
        // More than a block is collected before the root's count is settled: it is in the file.
        writer.Release(place);
        expected +=
            Item(AnyWide(item.title), item.quantity, static_cast<std::uint32_t>(i % 2), item.importance) +
            AnyWide(item.notes) + U32(0);
    }
    writer.SetChildren(rootCount, static_cast<std::uint32_t>(lengths.size()));
    writer.Finish(static_cast<std::uint32_t>(lengths.size()));
    file.Close();
    const std::string bytes = ReadBytes(folder.File("list.crv"));
    ASSERT_EQ(bytes.size(), Header(0).size() + expected.size());
    EXPECT_EQ(bytes, Header(static_cast<std::uint32_t>(lengths.size())) + expected);
}

} // namespace
