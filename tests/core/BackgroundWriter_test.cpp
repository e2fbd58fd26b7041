// The writing thread's promises to its owner: only the newest bytes wait, nothing lands after a
// cancel, everything handed over is written before the writer goes, and failures come back once.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/BackgroundWriter.h"
#include "support/TestFolder.h"

namespace {

/// A write function that records what it was asked to write and, for the bytes named in `held`,
/// does not finish until `Open` is called.
class GatedWrites {
public:
    explicit GatedWrites(std::string held = {}) : m_held(std::move(held)) {}

    BackgroundWriter::WriteFunction Function() {
        return [this](const std::u16string&, const std::string& bytes) {
            std::unique_lock lock(m_mutex);
            m_started.push_back(bytes);
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return m_open || bytes != m_held; });
            m_finished.push_back(bytes);
        };
    }
    void WaitUntilStarted(const std::string& bytes) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(
            lock, [&] { return std::find(m_started.begin(), m_started.end(), bytes) != m_started.end(); });
    }
    void Open() {
        const std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    std::vector<std::string> Finished() const {
        const std::lock_guard lock(m_mutex);
        return m_finished;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_held;
    bool m_open = false;
    std::vector<std::string> m_started;
    std::vector<std::string> m_finished;
};

TEST(BackgroundWriterTest, BytesHandedOverDuringAWriteWaitAndOnlyTheNewestAreWritten) {
    GatedWrites writes("first");
    BackgroundWriter writer(writes.Function());
    writer.Write(u"copy", "first");
    writes.WaitUntilStarted("first");
    writer.Write(u"copy", "second");
    EXPECT_TRUE(writer.IsWaiting());
    writer.Write(u"copy", "third");
    EXPECT_TRUE(writer.IsBusy());
    writes.Open();
    writer.Finish();
    EXPECT_FALSE(writer.IsBusy());
    EXPECT_EQ(writes.Finished(), (std::vector<std::string>{"first", "third"}));
}

// The race a removal after Cancel must win: the write that runs has ended when Cancel returns, and
// what waited is never written.
TEST(BackgroundWriterTest, CancelDropsWhatWaitsAndReturnsOnlyOnceTheRunningWriteHasEnded) {
    GatedWrites writes("running");
    BackgroundWriter writer(writes.Function());
    writer.Write(u"copy", "running");
    writes.WaitUntilStarted("running");
    writer.Write(u"copy", "waiting");
    std::thread opener([&] {
        while (writer.IsWaiting()) {
            std::this_thread::yield(); // until Cancel has dropped what waits
        }
        writes.Open();
    });
    writer.Cancel();
    EXPECT_EQ(writes.Finished(), std::vector<std::string>{"running"})
        << "Cancel returned before the write ended";
    opener.join();
    writer.Finish();
    EXPECT_EQ(writes.Finished(), std::vector<std::string>{"running"});
}

TEST(BackgroundWriterTest, TheWriterWritesWhatWaitsBeforeItGoes) {
    GatedWrites writes;
    {
        BackgroundWriter writer(writes.Function());
        writer.Write(u"copy", "older");
        writer.Write(u"copy", "newest");
    }
    ASSERT_FALSE(writes.Finished().empty());
    EXPECT_EQ(writes.Finished().back(), "newest");
}

TEST(BackgroundWriterTest, WritesSafelyAndHandsBackAFailureOnceUntilCancelForgetsIt) {
    TestFolder folder;
    BackgroundWriter writer;
    writer.Write(folder.WideFile("copy.crv"), "the list's bytes");
    writer.Finish();
    EXPECT_EQ(ReadBytes(folder.File("copy.crv")), "the list's bytes");
    EXPECT_EQ(folder.EntryCount(), 1u) << "no temporary file left beside the copy";
    EXPECT_EQ(writer.TakeFailure(), std::nullopt);

    // A folder where the copy should be is never replaced: the write fails, naming the copy.
    std::filesystem::create_directory(folder.Path() / "taken.crv");
    writer.Write(folder.WideFile("taken.crv"), "bytes");
    writer.Finish();
    const std::optional<std::u16string> failure = writer.TakeFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find(folder.WideFile("taken.crv")), std::u16string::npos) << ToUtf8(*failure);
    EXPECT_EQ(writer.TakeFailure(), std::nullopt) << "a failure is handed back once";

    writer.Write(folder.WideFile("taken.crv"), "bytes");
    writer.Finish();
    writer.Cancel();
    EXPECT_EQ(writer.TakeFailure(), std::nullopt) << "a cancelled copy's failure is of no interest";

    // Memory made ready on the writing thread is what the next bytes are made in.
    constexpr std::size_t kLargeCopy = 1 << 20;
    writer.PrepareMemory(kLargeCopy);
    writer.Finish();
    const std::string spare = writer.TakeSpareMemory();
    EXPECT_TRUE(spare.empty());
    EXPECT_GE(spare.capacity(), kLargeCopy);
}

} // namespace
