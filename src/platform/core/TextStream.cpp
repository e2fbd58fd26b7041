// Text-mode reading with CR LF translation, and block writing.
#include "platform/core/TextStream.h"

#include <cstring>

namespace {

constexpr std::size_t kReadAheadSize = 64 * 1024;
constexpr char kLineFeed = '\n';

} // namespace

TextStreamReader::TextStreamReader(CFile& file) : m_file(file), m_buffer(kReadAheadSize) {}

bool TextStreamReader::Ensure(std::size_t count) {
    if (m_filled - m_cursor >= count) {
        return true;
    }
    if (m_fileEnded) {
        return false;
    }
    const std::size_t kept = m_filled - m_cursor;
    std::memmove(m_buffer.data(), m_buffer.data() + m_cursor, kept);
    m_cursor = 0;
    m_filled = kept;
    while (m_filled < count && !m_fileEnded) {
        const std::size_t got = m_file.Read(m_buffer.data() + m_filled, m_buffer.size() - m_filled);
        m_fileEnded = got == 0;
        m_filled += got;
    }
    return m_filled >= count;
}

int TextStreamReader::PeekSlow() {
    if (!Ensure(1)) {
        return kEnd;
    }
    const char c = m_buffer[m_cursor];
    if (c == kCarriageReturn && Ensure(2) && m_buffer[m_cursor + 1] == kLineFeed) {
        return kLineFeed;
    }
    return static_cast<unsigned char>(c);
}

std::string_view TextStreamReader::BufferedSlow() {
    if (!Ensure(1)) {
        return {};
    }
    return std::string_view(m_buffer.data() + m_cursor, m_filled - m_cursor);
}

int TextStreamReader::GetSlow() {
    const int c = PeekSlow();
    if (c == kEnd) {
        return kEnd;
    }
    // A translated line end stands for two bytes.
    m_cursor += (c == kLineFeed && m_buffer[m_cursor] == kCarriageReturn) ? 2 : 1;
    return c;
}

TextStreamWriter::TextStreamWriter(CFile& file) : m_file(file), m_block(kBlockSize) {}

void TextStreamWriter::Write(std::string_view bytes) {
    if (bytes.size() > m_block.size() - m_used) {
        Flush();
    }
    // More than a block at once goes straight to the file rather than through the block in pieces.
    if (bytes.size() >= m_block.size()) {
        m_file.Write(bytes.data(), bytes.size());
        return;
    }
    std::memcpy(m_block.data() + m_used, bytes.data(), bytes.size());
    m_used += bytes.size();
}

char* TextStreamWriter::Claim(std::size_t count) {
    if (count > m_block.size() - m_used) {
        Flush();
    }
    return m_block.data() + m_used;
}

void TextStreamWriter::Flush() {
    if (m_used == 0) {
        return;
    }
    m_file.Write(m_block.data(), m_used);
    m_used = 0;
}
