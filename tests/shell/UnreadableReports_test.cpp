// Reporting unreadable list files once per change of the file.
#include "shell/UnreadableReports.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

UnreadableFile Bad(std::u16string name, std::uint16_t second = 0, std::uint64_t size = 0) {
    UnreadableFile file;
    file.fileName = std::move(name);
    file.lastWriteTime = {2004, 3, 0, 5, 12, 0, second, 0};
    file.size = size;
    file.message = u"An attempt was made to access an unnamed file past its end.";
    return file;
}

std::vector<std::u16string> Names(const std::vector<UnreadableFile>& files) {
    std::vector<std::u16string> names;
    for (const auto& file : files) {
        names.push_back(file.fileName);
    }
    return names;
}

TEST(UnreadableReports, EachFileIsReportedOnceWhileItStaysTheSame) {
    CUnreadableReports reports;
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv"), Bad(u"B.crv")})),
              (std::vector<std::u16string>{u"A.crv", u"B.crv"}));
    EXPECT_TRUE(reports.TakeUnreported({Bad(u"A.crv"), Bad(u"B.crv")}).empty());
    EXPECT_TRUE(reports.TakeUnreported({Bad(u"B.crv")}).empty());
}

TEST(UnreadableReports, AChangedFileIsReportedAgain) {
    CUnreadableReports reports;
    reports.TakeUnreported({Bad(u"A.crv"), Bad(u"B.crv")});
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv", 1), Bad(u"B.crv")})),
              std::vector<std::u16string>{u"A.crv"});
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv", 1), Bad(u"B.crv", 0, 6)})),
              std::vector<std::u16string>{u"B.crv"});
}

TEST(UnreadableReports, AFileRepairedAndBrokenAgainIsReportedAgain) {
    CUnreadableReports reports;
    reports.TakeUnreported({Bad(u"A.crv")});
    EXPECT_TRUE(reports.TakeUnreported({}).empty());
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv")})), std::vector<std::u16string>{u"A.crv"});
}

TEST(UnreadableReports, NewFilesAmongKnownOnesAreTheOnlyOnesReported) {
    CUnreadableReports reports;
    reports.TakeUnreported({Bad(u"A.crv")});
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv"), Bad(u"C.crv")})),
              std::vector<std::u16string>{u"C.crv"});
}

TEST(UnreadableReports, OneReportNamesEachFileOnALineAndCountsTheRestAfterTen) {
    std::vector<UnreadableFile> files;
    for (int n = 1; n <= 13; ++n) {
        UnreadableFile file = Bad(u"L" + std::u16string(1, static_cast<char16_t>(u'a' + n)) + u".crv");
        file.message = u"An attempt was made to access " + file.fileName + u" past its end.";
        files.push_back(file);
    }
    const std::u16string report = CUnreadableReports::Compose(files);
    EXPECT_TRUE(report.starts_with(u"An attempt was made to access Lb.crv past its end.\nAn attempt"));
    EXPECT_EQ(std::count(report.begin(), report.end(), u'\n'), 10) << "ten lines, then one more";
    EXPECT_TRUE(report.ends_with(u"Lk.crv past its end.\nand 3 more")) << "the tenth file, then the count";
    files.resize(2);
    EXPECT_EQ(CUnreadableReports::Compose(files), u"An attempt was made to access Lb.crv past its end.\nAn "
                                                  u"attempt was made to access Lc.crv past its end.");
    EXPECT_EQ(CUnreadableReports::Compose({}), u"");
}

} // namespace
