// Files: error causes and their messages, sharing, safe saving with injected failures, text streams.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/RenameFile.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/TextStream.h"
#include "support/TestFolder.h"

namespace {

FileErrorCause OpenFailure(const std::u16string& path, unsigned flags) {
    CFile file;
    FileErrorCause cause = FileErrorCause::Generic;
    EXPECT_FALSE(file.Open(path, flags, &cause));
    EXPECT_FALSE(file.IsOpen());
    return cause;
}

TEST(FileException, EveryCauseNamesThePath) {
    const std::u16string path = u"\\Lists\\Shop.crv";
    EXPECT_EQ(CFileException(FileErrorCause::FileNotFound, path).GetErrorMessage(),
              u"\\Lists\\Shop.crv was not found.");
    EXPECT_EQ(CFileException(FileErrorCause::AccessDenied, path).GetErrorMessage(),
              u"Access to \\Lists\\Shop.crv was denied.");
    EXPECT_EQ(CFileException(FileErrorCause::BadSeek, path).GetErrorMessage(),
              u"Seek failed on \\Lists\\Shop.crv");
    EXPECT_EQ(CFileException(FileErrorCause::DiskFull, path).GetErrorMessage(),
              u"Disk full while accessing \\Lists\\Shop.crv.");
    EXPECT_EQ(CFileException(FileErrorCause::EndOfFile, path).GetErrorMessage(),
              u"An attempt was made to access \\Lists\\Shop.crv past its end.");
    for (int cause = 0; cause <= static_cast<int>(FileErrorCause::AlreadyExists); ++cause) {
        const std::u16string message =
            CFileException(static_cast<FileErrorCause>(cause), path).GetErrorMessage();
        EXPECT_NE(message.find(path), std::u16string::npos) << cause;
    }
}

TEST(FileException, OperatingSystemErrorsMapToCauses) {
    EXPECT_EQ(FileErrorCauseFromErrno(ENOENT), FileErrorCause::FileNotFound);
    EXPECT_EQ(FileErrorCauseFromErrno(ENOTDIR), FileErrorCause::BadPath);
    EXPECT_EQ(FileErrorCauseFromErrno(EMFILE), FileErrorCause::TooManyOpenFiles);
    EXPECT_EQ(FileErrorCauseFromErrno(EACCES), FileErrorCause::AccessDenied);
    EXPECT_EQ(FileErrorCauseFromErrno(EEXIST), FileErrorCause::AlreadyExists);
    EXPECT_EQ(FileErrorCauseFromErrno(ENOSPC), FileErrorCause::DiskFull);
    EXPECT_EQ(FileErrorCauseFromErrno(EIO), FileErrorCause::HardIO);
    EXPECT_EQ(FileErrorCauseFromErrno(EWOULDBLOCK), FileErrorCause::SharingViolation);
    EXPECT_EQ(FileErrorCauseFromErrno(E2BIG), FileErrorCause::Generic);
}

TEST(File, OpenFailuresCarryTheirCause) {
    TestFolder folder;
    EXPECT_EQ(OpenFailure(folder.WideFile("missing.crv"), CFile::modeRead), FileErrorCause::FileNotFound);
    WriteBytes(folder.File("plain"), "x");
    EXPECT_EQ(OpenFailure(folder.WideFile("plain/inside.crv"), CFile::modeRead), FileErrorCause::BadPath);
    EXPECT_EQ(OpenFailure(Widen(folder.Path().string()), CFile::modeRead), FileErrorCause::IsFolder);
    EXPECT_EQ(OpenFailure(u"", CFile::modeRead), FileErrorCause::FileNotFound);
}

TEST(File, SharingModesExcludeEachOther) {
    TestFolder folder;
    WriteBytes(folder.File("a.crv"), "abc");
    CFile reader;
    ASSERT_TRUE(reader.Open(folder.WideFile("a.crv"), CFile::modeRead | CFile::shareDenyWrite));
    CFile second;
    EXPECT_TRUE(second.Open(folder.WideFile("a.crv"), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(
        OpenFailure(folder.WideFile("a.crv"), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive),
        FileErrorCause::SharingViolation);
    // The refused writer must not have emptied the file either.
    EXPECT_EQ(ReadBytes(folder.File("a.crv")), "abc");
}

TEST(File, ReadWriteSeekAndLength) {
    TestFolder folder;
    CFile file;
    ASSERT_TRUE(file.Open(folder.WideFile("f"), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("hello", 5);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_EQ(file.Seek(1, CFile::SeekFrom::Begin), 1u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "ello");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    file.Close();
    EXPECT_THROW(file.Write("x", 1), CFileException);
}

TEST(SafeSaveFile, CommitReplacesTheTargetAndKeepsItsPermissions) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    ::chmod(folder.File("list.crv").c_str(), 0640);
    {
        SafeSaveFile save(folder.WideFile("list.crv"));
        save.File().Write("new content", 11);
        EXPECT_EQ(ReadBytes(folder.File("list.crv")), "old");
        save.Commit();
    }
    EXPECT_EQ(ReadBytes(folder.File("list.crv")), "new content");
    struct stat status {};
    ASSERT_EQ(::stat(folder.File("list.crv").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(SafeSaveFile, AnAbandonedSaveLeavesTheTargetAndNoTemporaryFile) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    {
        SafeSaveFile save(folder.WideFile("list.crv"));
        save.File().Write("half", 4);
    }
    EXPECT_EQ(ReadBytes(folder.File("list.crv")), "old");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(SafeSaveFile, InjectedWriteFailureStopsAtTheGivenByte) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    SafeSaveFile save(folder.WideFile("list.crv"));
    {
        ScopedFileWriteFault fault(3, FileErrorCause::HardIO);
        try {
            save.File().Write("abcdef", 6);
            FAIL() << "the write should have failed";
        } catch (const CFileException& failure) {
            EXPECT_EQ(failure.Cause(), FileErrorCause::HardIO);
        }
    }
    save.Discard();
    EXPECT_EQ(ReadBytes(folder.File("list.crv")), "old");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(SafeSaveFile, MissingFolderFailsNamingTheTarget) {
    TestFolder folder;
    try {
        SafeSaveFile save(folder.WideFile("nowhere/list.crv"));
        FAIL() << "created a file in a missing folder";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.Cause(), FileErrorCause::FileNotFound);
        EXPECT_EQ(failure.Path(), folder.WideFile("nowhere/list.crv"));
    }
}

TEST(TextStream, CarriageReturnLineFeedArrivesAsLineFeed) {
    TestFolder folder;
    std::string bytes = "a\r\nb\rc\r";
    bytes += std::string(70000, 'x') + "\r\n"; // a pair split across the reader's blocks
    WriteBytes(folder.File("t.txt"), bytes);
    CFile file;
    ASSERT_TRUE(file.Open(folder.WideFile("t.txt"), CFile::modeRead));
    TextStreamReader reader(file);
    std::string read;
    for (int c = reader.Get(); c != TextStreamReader::kEnd; c = reader.Get()) {
        read += static_cast<char>(c);
    }
    EXPECT_EQ(read, "a\nb\rc\r" + std::string(70000, 'x') + "\n");
    EXPECT_EQ(reader.Peek(), TextStreamReader::kEnd);
}

TEST(ErrorReport, HandlerReceivesMessagesAndIsRestored) {
    std::u16string seen;
    MessageIcon icon = MessageIcon::Information;
    {
        ScopedErrorReportHandler capture([&](std::u16string_view message, MessageIcon kind) {
            seen = message;
            icon = kind;
        });
        ReportError(u"Disk full while accessing x.", MessageIcon::Exclamation);
    }
    EXPECT_EQ(seen, u"Disk full while accessing x.");
    EXPECT_EQ(icon, MessageIcon::Exclamation);
    testing::internal::CaptureStderr();
    ReportError(u"caf\u00e9");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "caf\xC3\xA9\n");
}

} // namespace

namespace {

// A rename onto a name that is taken, which only a race with another program lets past the dialog's
// own check, is reported as the taken name's fault: the message names the name and says it exists,
// and neither file changes.
TEST(RenameWithoutReplacing, ATakenNameIsReportedAsExisting) {
    TestFolder folder;
    WriteBytes(folder.File("Shop.crv"), "shop");
    WriteBytes(folder.File("Trip.crv"), "trip");
    try {
        RenameWithoutReplacing(folder.WideFile("Shop.crv"), folder.WideFile("Trip.crv"));
        ADD_FAILURE() << "the rename replaced a file";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.Cause(), FileErrorCause::AlreadyExists);
        EXPECT_EQ(failure.GetErrorMessage(), folder.WideFile("Trip.crv") + u" already exists.");
    }
    EXPECT_EQ(ReadBytes(folder.File("Shop.crv")), "shop");
    EXPECT_EQ(ReadBytes(folder.File("Trip.crv")), "trip");
}

} // namespace
