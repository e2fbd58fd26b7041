// The document base: which message each kind of failure shows, and what open and save leave behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <new>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/Document.h"
#include "platform/core/ErrorReport.h"
#include "support/TestFolder.h"

namespace {

/// A document whose contents are one string, with a way to make `Serialize` fail.
class NoteDoc : public CDocument {
public:
    std::u16string text;
    std::function<void()> failure;

    void Serialize(CArchive& archive) override {
        if (failure) {
            failure();
        }
        if (archive.IsStoring()) {
            archive.WriteString(text);
        } else {
            text = archive.ReadString();
        }
    }
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest()
        : m_capture([this](std::u16string_view message, MessageIcon) { messages.emplace_back(message); }) {}

    TestFolder folder;
    std::vector<std::u16string> messages;

private:
    ScopedErrorReportHandler m_capture;
};

TEST_F(DocumentTest, SaveThenOpenRoundTripsAndClearsTheModifiedFlag) {
    NoteDoc doc;
    doc.text = u"hello";
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("n.doc")));
    EXPECT_FALSE(doc.IsModified());
    NoteDoc other;
    ASSERT_TRUE(other.OnOpenDocument(folder.WideFile("n.doc")));
    EXPECT_EQ(other.text, u"hello");
    EXPECT_FALSE(other.IsModified());
    EXPECT_TRUE(messages.empty());
}

// A copy made in memory is the file a save writes, also past the archive's buffer, and leaves the
// document as it was.
TEST_F(DocumentTest, ACopyEncodedInMemoryHoldsTheBytesOfTheSavedFile) {
    NoteDoc doc;
    doc.text = u"hi";
    doc.SetModifiedFlag();
    std::string bytes = "what the memory held before";
    doc.EncodeCopy(bytes);
    EXPECT_EQ(bytes, std::string("\xFF\xFE\xFF\x02h\0i\0", 8)) << "the wide string form";
    EXPECT_TRUE(doc.IsModified());

    doc.text = std::u16string(CDocument::kWholeFileBufferSize, u'x');
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("long.doc")));
    doc.EncodeCopy(bytes);
    EXPECT_EQ(bytes, ReadBytes(folder.File("long.doc")));
}

TEST_F(DocumentTest, FailuresWithoutACauseShowThePlainMessages) {
    NoteDoc doc;
    doc.failure = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("n.doc")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("n.doc")));
    WriteBytes(folder.File("n.doc"), "\x01x");
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile("n.doc")));
    EXPECT_TRUE(doc.IsModified());
    doc.failure = [] { throw CArchiveException(ArchiveErrorCause::ReadOnly); };
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile("n.doc")));
    EXPECT_EQ(messages, (std::vector<std::u16string>{u"Failed to save document.", u"Failed to open document.",
                                                     u"Failed to open document."}));
}

TEST_F(DocumentTest, FormatAndFileFailuresShowTheirOwnMessages) {
    NoteDoc doc;
    WriteBytes(folder.File("n.doc"), "\x05x");
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile("n.doc")));
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile("none.doc")));
    doc.failure = [&] { throw CFileException(FileErrorCause::HardIO, folder.WideFile("n.doc")); };
    EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("n.doc")));
    EXPECT_EQ(messages,
              (std::vector<std::u16string>{
                  u"Unexpected file format.", folder.WideFile("none.doc") + u" was not found.",
                  u"A hardware I/O error was reported while accessing " + folder.WideFile("n.doc") + u"."}));
    EXPECT_EQ(ReadBytes(folder.File("n.doc")), "\x05x");
}

TEST_F(DocumentTest, AFolderWhereTheFileShouldBeIsReportedAsAFolder) {
    NoteDoc doc;
    std::filesystem::create_directory(folder.File("n.doc"));
    EXPECT_FALSE(doc.OnOpenDocument(folder.WideFile("n.doc")));
    EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("n.doc")));
    const std::u16string said = folder.WideFile("n.doc") + u" is a folder, not a file.";
    EXPECT_EQ(messages, (std::vector<std::u16string>{said, said}));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(DocumentTest, ZeroLengthFileReadsNothing) {
    NoteDoc doc;
    doc.text = u"kept";
    WriteBytes(folder.File("n.doc"), "");
    EXPECT_TRUE(doc.OnOpenDocument(folder.WideFile("n.doc")));
    EXPECT_EQ(doc.text, u"kept");
}

// The stamp is the file's inode, length and last write in nanoseconds, as the system keeps them
// for the file just read or just written; a new document, or one whose open failed, has none.
TEST_F(DocumentTest, OpenAndSaveRememberTheFileAsTheyLeftIt) {
    const auto onDisk = [&](const std::string& name) {
        struct stat status {};
        EXPECT_EQ(::stat(folder.File(name).c_str(), &status), 0);
        return FileStamp{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
                         static_cast<std::int64_t>(status.st_size),
                         static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
                             status.st_mtim.tv_nsec};
    };
    NoteDoc doc;
    EXPECT_FALSE(doc.GetFileStamp().has_value());
    doc.text = u"hello";
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("n.doc")));
    EXPECT_EQ(doc.GetFileStamp(), onDisk("n.doc"));

    WriteBytes(folder.File("m.doc"), "\x02hi");
    NoteDoc read;
    ASSERT_TRUE(read.OnOpenDocument(folder.WideFile("m.doc")));
    EXPECT_EQ(read.GetFileStamp(), onDisk("m.doc"));
    EXPECT_NE(read.GetFileStamp(), doc.GetFileStamp());

    WriteBytes(folder.File("m.doc"), "\x05x");
    EXPECT_FALSE(read.OnOpenDocument(folder.WideFile("m.doc")));
    EXPECT_FALSE(read.GetFileStamp().has_value());
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.GetFileStamp().has_value());
}

TEST_F(DocumentTest, PathNameSetsTheTitle) {
    NoteDoc doc;
    doc.SetPathName(u"\\Lists\\Shop.crv");
    EXPECT_EQ(doc.GetTitle(), u"Shop.crv");
    EXPECT_EQ(doc.GetPathName(), u"\\Lists\\Shop.crv");
    doc.SetTitle(u"Untitled");
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetPathName(), u"");
    EXPECT_EQ(doc.GetTitle(), u"Untitled");
}

} // namespace
