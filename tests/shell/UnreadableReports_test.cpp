// Reporting unreadable list files once per change of the file.
#include "shell/UnreadableReports.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv", 1), Bad(u"B.crv")})), std::vector<std::u16string>{u"A.crv"});
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
    EXPECT_EQ(Names(reports.TakeUnreported({Bad(u"A.crv"), Bad(u"C.crv")})), std::vector<std::u16string>{u"C.crv"});
}

}  // namespace
