// The archive: byte order, buffering, the string forms and running out of data.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/core/Archive.h"
#include "support/TestFolder.h"

namespace {

class ArchiveTest : public ::testing::Test {
protected:
    std::string Store(const std::function<void(CArchive&)>& write) {
        CFile file;
        EXPECT_TRUE(file.Open(folder.WideFile("a.bin"), CFile::modeCreate | CFile::modeReadWrite));
        CArchive archive(&file, CArchive::store);
        write(archive);
        archive.Close();
        file.Close();
        return ReadBytes(folder.File("a.bin"));
    }

    void Load(const std::string& bytes, const std::function<void(CArchive&)>& read) {
        WriteBytes(folder.File("a.bin"), bytes);
        CFile file;
        ASSERT_TRUE(file.Open(folder.WideFile("a.bin"), CFile::modeRead));
        CArchive archive(&file, CArchive::load);
        read(archive);
    }

    std::u16string LoadString(const std::string& bytes) {
        std::u16string text;
        Load(bytes, [&](CArchive& ar) { text = ar.ReadString(); });
        return text;
    }

    static ArchiveErrorCause FailureOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const CArchiveException& failure) {
            return failure.Cause();
        }
        ADD_FAILURE() << "no archive failure";
        return ArchiveErrorCause::Generic;
    }

    TestFolder folder;
};

TEST_F(ArchiveTest, IntegersAreLittleEndianAtAnyOffset) {
    const std::string bytes = Store([](CArchive& ar) {
        ar << std::uint8_t{7} << std::uint32_t{0xDEADBEEF} << std::int32_t{-2} << std::uint16_t{0x1234};
    });
    EXPECT_EQ(bytes, std::string("\x07\xEF\xBE\xAD\xDE\xFE\xFF\xFF\xFF\x34\x12", 11));
    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadByte(), 7);
        EXPECT_EQ(ar.ReadU32(), 0xDEADBEEFu);
        EXPECT_EQ(ar.ReadI32(), -2);
        EXPECT_EQ(ar.ReadU16(), 0x1234);
        EXPECT_EQ(ar.RemainingBytes(), 0u);
    });
}

TEST_F(ArchiveTest, WideStringLengthForms) {
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteString(u""); }), std::string("\xFF\xFE\xFF\x00", 4));
    const std::string s254 = Store([](CArchive& ar) { ar.WriteString(std::u16string(254, u'x')); });
    EXPECT_EQ(s254.substr(0, 4), "\xFF\xFE\xFF\xFE");
    EXPECT_EQ(s254.size(), 4u + 508u);
    const std::string s255 = Store([](CArchive& ar) { ar.WriteString(std::u16string(255, u'x')); });
    EXPECT_EQ(s255.substr(0, 6), std::string("\xFF\xFE\xFF\xFF\xFF\x00", 6));
    const std::string s300 = Store([](CArchive& ar) { ar.WriteString(std::u16string(300, u'x')); });
    EXPECT_EQ(s300.substr(0, 6), "\xFF\xFE\xFF\xFF\x2C\x01");
    EXPECT_EQ(s300.size(), 6u + 600u);
    const std::string huge = Store([](CArchive& ar) { ar.WriteString(std::u16string(0xFFFE, u'x')); });
    EXPECT_EQ(huge.substr(0, 10), std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFE\xFF\x00\x00", 10));
    for (const std::size_t length : {0u, 254u, 255u, 300u, 0xFFFDu, 0xFFFEu, 70000u}) {
        const std::u16string text(length, u'\u20ac');
        EXPECT_EQ(LoadString(Store([&](CArchive& ar) { ar.WriteString(text); })), text) << length;
    }
}

TEST_F(ArchiveTest, EightBitStringsDecodeAsUtf8OrWindows1252) {
    EXPECT_EQ(LoadString("\x04Milk"), u"Milk");
    EXPECT_EQ(LoadString("\x04"
                         "caf\xE9"),
              u"caf\u00e9");
    EXPECT_EQ(LoadString("\x05"
                         "caf\xC3\xA9"),
              u"caf\u00e9");
    EXPECT_EQ(LoadString(std::string("\xFF\x03\x00"
                                     "abc",
                                     6)),
              u"abc");
    EXPECT_EQ(LoadString(std::string("\xFF\xFF\xFF\x02\x00\x00\x00"
                                     "ab",
                                     9)),
              u"ab");
}

TEST_F(ArchiveTest, WideStringCarriesAnyCodeUnit) {
    EXPECT_EQ(LoadString(std::string("\xFF\xFE\xFF\x02\x00\xD8\x41\x00", 8)), (std::u16string{0xD800, u'A'}));
    // At an odd offset the code units are not aligned as in memory; they still read whole.
    Load(std::string("\x07\xFF\xFE\xFF\x02\x00\xD8\x41\x00", 9), [](CArchive& ar) {
        EXPECT_EQ(ar.ReadByte(), 7);
        EXPECT_EQ(ar.ReadString(), (std::u16string{0xD800, u'A'}));
    });
}

TEST_F(ArchiveTest, LengthsBeyondTheDataFailBeforeReserving) {
    const auto loadFails = [&](const std::string& bytes) { return FailureOf([&] { LoadString(bytes); }); };
    EXPECT_EQ(loadFails("\x05"
                        "abc"),
              ArchiveErrorCause::EndOfFile);
    EXPECT_EQ(loadFails(std::string("\xFF\xFE\xFF\x03\x41\x00", 6)), ArchiveErrorCause::EndOfFile);
    // A 32-bit length of four thousand million characters in a file of a dozen bytes.
    EXPECT_EQ(loadFails(std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10)),
              ArchiveErrorCause::EndOfFile);
    EXPECT_EQ(loadFails(std::string("\xFF\xFE", 2)), ArchiveErrorCause::EndOfFile);
}

TEST_F(ArchiveTest, RepeatedWideMarkerIsMalformed) {
    EXPECT_EQ(FailureOf([&] { LoadString(std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x00\x00", 8)); }),
              ArchiveErrorCause::BadString);
}

TEST_F(ArchiveTest, ReadingPastTheEndFailsWithEndOfFile) {
    Load("\x01\x02\x03",
         [&](CArchive& ar) { EXPECT_EQ(FailureOf([&] { ar.ReadU32(); }), ArchiveErrorCause::EndOfFile); });
}

TEST_F(ArchiveTest, DataLargerThanTheBufferCrossesBlockBoundaries) {
    const std::u16string text(5000, u'q');
    const std::string bytes = Store([&](CArchive& ar) {
        ar.WriteByte(1);
        ar.WriteString(text);
        ar.WriteU32(42);
    });
    Load(bytes, [&](CArchive& ar) {
        EXPECT_EQ(ar.ReadByte(), 1);
        EXPECT_EQ(ar.ReadString(), text);
        EXPECT_EQ(ar.ReadU32(), 42u);
    });
}

TEST_F(ArchiveTest, WrongDirectionIsRefused) {
    Load("abcd",
         [&](CArchive& ar) { EXPECT_EQ(FailureOf([&] { ar.WriteByte(1); }), ArchiveErrorCause::ReadOnly); });
}

TEST(ArchiveException, FormatFailuresShowTheFrameworksWords) {
    // An archive never knows its file's name, so running out of data names an unnamed file.
    EXPECT_EQ(CArchiveException(ArchiveErrorCause::EndOfFile).GetErrorMessage(),
              u"An attempt was made to access an unnamed file past its end.");
    EXPECT_EQ(CArchiveException(ArchiveErrorCause::BadString).GetErrorMessage(), u"Unexpected file format.");
}

} // namespace
