// Saving a list safely: a save that fails at any byte leaves the previous file exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/SafeSaveFile.h"
#include "support/TestFolder.h"

namespace {

void FillList(CCorvinaDoc& doc, int items) {
    for (int i = 0; i < items; ++i) {
        TaskItem item;
        item.title = u"Item number " + Widen(std::to_string(i));
        item.notes = i % 10 == 0 ? u"a note" : u"";
        doc.tree.AddItem(item,
                         i % 3 == 0 || !doc.tree.root.HasChildren() ? nullptr : doc.tree.root.lastChild);
    }
}

class SafeSaveTest : public ::testing::Test {
protected:
    SafeSaveTest()
        : m_capture([this](std::u16string_view message, MessageIcon) { messages.emplace_back(message); }) {}

    TestFolder folder;
    std::vector<std::u16string> messages;

private:
    ScopedErrorReportHandler m_capture;
};

TEST_F(SafeSaveTest, FailureAtAnyPointLeavesThePreviousFileByteForByte) {
    CCorvinaDoc previous;
    FillList(previous, 3);
    ASSERT_TRUE(previous.OnSaveDocument(folder.WideFile("list.crv")));
    const std::string before = ReadBytes(folder.File("list.crv"));

    CCorvinaDoc bigger;
    FillList(bigger, 400); // several archive buffers long
    bigger.SetModifiedFlag(true);
    const std::size_t fullSize = [&] {
        CCorvinaDoc probe;
        FillList(probe, 400);
        EXPECT_TRUE(probe.OnSaveDocument(folder.WideFile("probe.crv")));
        const std::size_t size = ReadBytes(folder.File("probe.crv")).size();
        CFile::Remove(folder.WideFile("probe.crv"));
        return size;
    }();
    ASSERT_GT(fullSize, 3u * 4096u);

    for (const std::size_t failAt : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096},
                                     std::size_t{9000}, fullSize - 1}) {
        messages.clear();
        ScopedFileWriteFault fault(failAt, FileErrorCause::DiskFull);
        EXPECT_FALSE(bigger.OnSaveDocument(folder.WideFile("list.crv"))) << failAt;
        EXPECT_EQ(ReadBytes(folder.File("list.crv")), before) << failAt;
        EXPECT_EQ(messages, (std::vector<std::u16string>{u"Disk full while accessing " +
                                                         folder.WideFile("list.crv") + u"."}));
        EXPECT_TRUE(bigger.IsModified());
        EXPECT_EQ(folder.EntryCount(), 1u) << "a temporary file was left behind";
    }
    {
        ScopedFileWriteFault fault(fullSize, FileErrorCause::DiskFull);
        EXPECT_TRUE(bigger.OnSaveDocument(folder.WideFile("list.crv")));
    }
    EXPECT_EQ(ReadBytes(folder.File("list.crv")).size(), fullSize);
    EXPECT_FALSE(bigger.IsModified());
}

// A flush that fails (the file's before the rename, the folder's after it) fails the save with the
// cause, and the list on disk is the previous one byte for byte, or none when there was none; with
// unnamed and named temporaries alike.
TEST_F(SafeSaveTest, AFailingFlushFailsTheSaveAndKeepsThePreviousFile) {
    using Step = ScopedSafeSaveProbe::Step;
    CCorvinaDoc previous;
    FillList(previous, 3);
    ASSERT_TRUE(previous.OnSaveDocument(folder.WideFile("list.crv")));
    const std::string before = ReadBytes(folder.File("list.crv"));
    CCorvinaDoc changed;
    FillList(changed, 5);
    changed.SetModifiedFlag(true);
    for (const Step failing : {Step::FileFlushed, Step::FolderFlushed}) {
        for (const bool namedTemporaries : {false, true}) {
            for (const char* name : {"list.crv", "new.crv"}) {
                messages.clear();
                ScopedSafeSaveProbe probe(namedTemporaries);
                probe.failingFlush = failing;
                EXPECT_FALSE(changed.OnSaveDocument(folder.WideFile(name))) << name;
                EXPECT_EQ(messages,
                          (std::vector<std::u16string>{u"A hardware I/O error was reported while accessing " +
                                                       folder.WideFile(name) + u"."}));
                EXPECT_EQ(ReadBytes(folder.File("list.crv")), before);
                EXPECT_EQ(folder.EntryCount(), 1u) << name << ": something was left beside the list";
                EXPECT_TRUE(changed.IsModified());
                EXPECT_EQ(std::count(probe.steps.begin(), probe.steps.end(), failing), 0)
                    << "a flush that failed was logged as made";
            }
        }
    }
}

TEST_F(SafeSaveTest, SaveIntoAMissingFolderReportsTheListPath) {
    CCorvinaDoc doc;
    EXPECT_FALSE(doc.OnSaveDocument(folder.WideFile("gone/list.crv")));
    EXPECT_EQ(messages, (std::vector<std::u16string>{folder.WideFile("gone/list.crv") + u" was not found."}));
}

TEST_F(SafeSaveTest, SavingOverTheFileItWasReadFromWorks) {
    CCorvinaDoc doc;
    FillList(doc, 20);
    ASSERT_TRUE(doc.OnSaveDocument(folder.WideFile("list.crv")));
    CCorvinaDoc again;
    ASSERT_TRUE(again.OnOpenDocument(folder.WideFile("list.crv")));
    again.tree.AddItem(TaskItem());
    ASSERT_TRUE(again.OnSaveDocument(folder.WideFile("list.crv")));
    CCorvinaDoc third;
    ASSERT_TRUE(third.OnOpenDocument(folder.WideFile("list.crv")));
    EXPECT_EQ(third.tree.Count(), 21u);
    EXPECT_TRUE(messages.empty());
}

} // namespace
