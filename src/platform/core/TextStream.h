// Text streams over a `CFile`: a reader in text mode (CR LF arrives as LF) with one character of
// look-ahead, and a buffered writer. Bytes pass unchanged otherwise; decoding is the caller's choice.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/File.h"

/// Reads a file byte by byte, turning each CR LF pair into LF as text mode does on the device.
/// File failures pass through as `CFileException`.
class TextStreamReader {
public:
    /// What `Peek` and `Get` answer at the end of the file.
    static constexpr int kEnd = -1;

    explicit TextStreamReader(CFile& file);

    /// The next character without taking it, or `kEnd`.
    int Peek() {
        if (m_cursor < m_filled && m_buffer[m_cursor] != kCarriageReturn) {
            return static_cast<unsigned char>(m_buffer[m_cursor]);
        }
        return PeekSlow();
    }
    /// Takes the next character, or answers `kEnd`.
    int Get() {
        if (m_cursor < m_filled && m_buffer[m_cursor] != kCarriageReturn) {
            return static_cast<unsigned char>(m_buffer[m_cursor++]);
        }
        return GetSlow();
    }
    /// The bytes read ahead and not yet taken, untranslated (refilled first when none are left);
    /// empty only at the end of the file. For readers that scan long runs at once.
    std::string_view Buffered() {
        if (m_cursor < m_filled) {
            return std::string_view(m_buffer.data() + m_cursor, m_filled - m_cursor);
        }
        return BufferedSlow();
    }
    /// Takes `count` bytes of those `Buffered` answered.
    void Skip(std::size_t count) { m_cursor += count; }

private:
    static constexpr char kCarriageReturn = '\r';

    int PeekSlow();
    std::string_view BufferedSlow();
    int GetSlow();
    /// Makes at least `count` bytes available unless the file ends first; false when fewer remain.
    bool Ensure(std::size_t count);

    CFile& m_file;
    std::vector<char> m_buffer;
    std::size_t m_cursor = 0;
    std::size_t m_filled = 0;
    bool m_fileEnded = false;
};

/// Collects bytes and writes them to a file in large blocks.
class TextStreamWriter {
public:
    /// How many bytes are collected before they go to the file; also the most one `Claim` grants.
    static constexpr std::size_t kBlockSize = 64 * 1024;

    explicit TextStreamWriter(CFile& file);

    /// Appends `bytes`; throws `CFileException` when the file refuses them.
    void Write(std::string_view bytes);
    /// Room for up to `count` (at most `kBlockSize`) bytes after what is collected, handing the
    /// collected bytes to the file first when they would not leave that much. Fill it, then `Commit`
    /// how many were used; nothing else may come in between. Throws as `Write` does.
    char* Claim(std::size_t count);
    /// Keeps the first `used` bytes of the room the last `Claim` granted.
    void Commit(std::size_t used) { m_used += used; }
    /// Hands everything collected to the file.
    void Flush();

private:
    CFile& m_file;
    std::vector<char> m_block;
    /// How many bytes at the start of `m_block` are collected and not yet written.
    std::size_t m_used = 0;
};
