// The writing thread and the one slot it takes its work from.
#include "platform/core/BackgroundWriter.h"

#include "platform/core/Exception.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/Strings.h"

#include <exception>
#include <utility>

void WriteWholeFileSafely(const std::u16string& path, const std::string& bytes) {
    WriteWholeFileSafelyAt(ToUtf8(path), path, bytes);
}

void WriteWholeFileSafelyAt(const std::string& hostPath, const std::u16string& path,
                            const std::string& bytes) {
    SafeSaveFile target{hostPath, path};
    target.File().Write(bytes.data(), bytes.size());
    target.Commit();
}

BackgroundWriter::BackgroundWriter(WriteFunction write)
    : m_write(std::move(write)), m_thread([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void BackgroundWriter::Write(std::u16string path, std::string bytes) {
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = Job{std::move(path), std::move(bytes)};
    }
    m_wake.notify_one();
}

void BackgroundWriter::Cancel() {
    std::unique_lock lock(m_mutex);
    m_waiting.reset();
    m_idle.wait(lock, [this] { return !m_running; });
    m_failure.reset();
}

void BackgroundWriter::Finish() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_running && !m_waiting && m_memoryToPrepare == 0; });
}

bool BackgroundWriter::IsBusy() const {
    const std::lock_guard lock(m_mutex);
    return m_running || m_waiting;
}

bool BackgroundWriter::IsWaiting() const {
    const std::lock_guard lock(m_mutex);
    return m_waiting.has_value();
}

std::optional<std::u16string> BackgroundWriter::TakeFailure() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_failure, std::nullopt);
}

void BackgroundWriter::PrepareMemory(std::size_t size) {
    {
        const std::lock_guard lock(m_mutex);
        if (m_spare.capacity() >= size) {
            return;
        }
        m_memoryToPrepare = size;
    }
    m_wake.notify_one();
}

std::string BackgroundWriter::TakeSpareMemory() {
    const std::lock_guard lock(m_mutex);
    std::string spare = std::exchange(m_spare, {});
    spare.clear();
    return spare;
}

void BackgroundWriter::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_waiting || m_ending || m_memoryToPrepare > 0; });
        if (!m_waiting && m_ending) {
            return; // nothing left to write
        }
        if (!m_waiting) {
            PrepareSpare(lock);
            continue;
        }
        Job job = std::move(*m_waiting);
        m_waiting.reset();
        m_running = true;
        lock.unlock();
        std::optional<std::u16string> failure = Attempt(job);
        lock.lock();
        m_running = false;
        if (failure) {
            m_failure = std::move(failure);
        }
        m_spare = std::move(job.bytes);
        m_idle.notify_all();
    }
}

void BackgroundWriter::PrepareSpare(std::unique_lock<std::mutex>& lock) {
    const std::size_t size = std::exchange(m_memoryToPrepare, 0);
    m_running = true;
    lock.unlock();
    std::string memory(size, '\0'); // touched here, not on the thread that hands bytes over
    memory.clear();
    lock.lock();
    m_running = false;
    if (memory.capacity() > m_spare.capacity()) {
        m_spare = std::move(memory);
    }
    m_idle.notify_all();
}

std::optional<std::u16string> BackgroundWriter::Attempt(const Job& job) const {
    try {
        m_write(job.path, job.bytes);
    } catch (const CException& failure) {
        return failure.GetErrorMessage();
    } catch (const std::exception& failure) {
        return Widen(failure.what());
    }
    return std::nullopt;
}
