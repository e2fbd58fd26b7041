// Whole files written on a thread of their own, so that the thread that hands over the bytes never
// waits for storage. Only the newest version of a file is worth writing: bytes handed over while a
// write runs wait in one slot, and newer bytes take their place.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

/// The safe save of `bytes` to the host file `path` (a temporary file beside it, flushed, renamed
/// over it). Throws the failure's cause as a `CFileException`; the previous file then stays as it was.
void WriteWholeFileSafely(const std::u16string& path, const std::string& bytes);
/// The same for the host file `hostPath` (bytes, as the host names it), named `path` in messages.
void WriteWholeFileSafelyAt(const std::string& hostPath, const std::u16string& path,
                            const std::string& bytes);

/// Writes whole files one at a time on its own thread. A write that fails keeps its cause for the
/// owner, who asks for it on its own thread.
class BackgroundWriter {
public:
    /// How one file is written; throws the failure's cause (a `CException` or a standard exception).
    using WriteFunction = std::function<void(const std::u16string& path, const std::string& bytes)>;

    explicit BackgroundWriter(WriteFunction write = WriteWholeFileSafely);
    /// Writes what still waits, then ends the thread.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    /// Hands `bytes` over to be written to `path`; bytes still waiting are dropped for these.
    void Write(std::u16string path, std::string bytes);
    /// Drops what waits, waits for the write that runs to end and forgets any failure: once it
    /// returns, nothing handed over before touches storage.
    void Cancel();
    /// Waits until everything handed over is written or has failed.
    void Finish();
    /// True while bytes wait or a write runs.
    bool IsBusy() const;
    /// True while bytes wait for the write that runs to end.
    bool IsWaiting() const;
    /// The cause of the last write that failed, if it has not been asked for since.
    std::optional<std::u16string> TakeFailure();
    /// Has memory for `size` bytes made ready on the writing thread, unless the spare memory is that
    /// large already: the first bytes handed over then need no fresh memory either, whose first
    /// touch is slow. `Finish` waits for it as for a write.
    void PrepareMemory(std::size_t size);
    /// The memory of the bytes last written (or prepared), emptied, for the next bytes to be made in: a large
    /// file handed over again and again then takes no fresh memory each time. Empty when none.
    std::string TakeSpareMemory();

private:
    struct Job {
        std::u16string path;
        std::string bytes;
    };

    void Run();
    /// Makes the memory asked for by `PrepareMemory` ready; called with `lock` held, returns with it.
    void PrepareSpare(std::unique_lock<std::mutex>& lock);
    /// Writes `job`; the failure's message when it fails.
    std::optional<std::u16string> Attempt(const Job& job) const;

    WriteFunction m_write;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake; ///< bytes to write, or the end
    std::condition_variable m_idle; ///< a write has ended
    std::optional<Job> m_waiting;
    bool m_running = false;
    bool m_ending = false;
    std::optional<std::u16string> m_failure;
    std::string m_spare; ///< the memory of the bytes last written
    std::size_t m_memoryToPrepare = 0;
    std::thread m_thread; ///< last: it starts once everything above is in place
};
