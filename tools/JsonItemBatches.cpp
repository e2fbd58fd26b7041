// Cutting a list's JSON at its top-level items: found from the end of what is held, so a batch is
// as long as a block allows, and checked by the parse of every piece.
#include "JsonItemBatches.h"

#include <simdjson.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

/// How export indents a top-level item's line.
constexpr std::string_view kTopLevelIndent = "    ";
/// A line break, the indent and "{": a cut's bytes.
constexpr std::size_t kCutBytes = 1 + kTopLevelIndent.size() + 1;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
/// Room in front of the text for the "[" that opens a batch.
constexpr std::size_t kOpenerRoom = 1;

bool IsJsonSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

const std::size_t JsonItemBatches::kPadding = simdjson::SIMDJSON_PADDING;

JsonItemBatches::Source JsonItemBatches::FromMemory(std::string_view text) {
    return [text, at = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min(size, text.size() - at);
        std::copy_n(text.data() + at, count, buffer);
        at += count;
        return count;
    };
}

JsonItemBatches::JsonItemBatches(Source source, std::size_t blockBytes)
    : m_source(std::move(source)), m_blockBytes(blockBytes < kCutBytes ? kCutBytes : blockBytes),
      m_buffer(kOpenerRoom + m_blockBytes + kPadding), m_start(kOpenerRoom), m_end(kOpenerRoom) {}

bool JsonItemBatches::Fill() {
    if (m_ended) {
        return false;
    }
    // The byte in front of the held text goes along: a batch's "[" is written there.
    const std::size_t keepFrom = m_start - kOpenerRoom;
    if (keepFrom > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + keepFrom, m_end - keepFrom);
        m_start -= keepFrom;
        m_end -= keepFrom;
        m_unchecked = m_unchecked > keepFrom ? m_unchecked - keepFrom : 0;
    }
    std::size_t capacity = m_buffer.size() - kPadding;
    if (m_end == capacity) {
        capacity *= 2;
        m_buffer.resize(capacity + kPadding);
    }
    const std::size_t got = m_source(m_buffer.data() + m_end, capacity - m_end);
    if (got == 0) {
        m_ended = true;
        return false;
    }
    m_end += got;
    return true;
}

bool JsonItemBatches::IsCut(std::size_t newline, char before, std::size_t& mark) const {
    const char* const text = m_buffer.data();
    const std::size_t brace = newline + kCutBytes - 1;
    if (brace >= m_end || text[brace] != '{' ||
        std::string_view(text + newline + 1, kTopLevelIndent.size()) != kTopLevelIndent) {
        return false;
    }
    std::size_t at = newline;
    while (at > m_start && IsJsonSpace(text[at - 1])) {
        --at;
    }
    if (at == m_start || text[at - 1] != before) {
        return false;
    }
    mark = at - 1;
    return true;
}

std::size_t JsonItemBatches::FindFirstCut(std::size_t from, std::size_t& opener) const {
    const char* const text = m_buffer.data();
    for (std::size_t at = from; at < m_end;) {
        const void* const found = std::memchr(text + at, '\n', m_end - at);
        if (found == nullptr) {
            return kNone;
        }
        const auto newline = static_cast<std::size_t>(static_cast<const char*>(found) - text);
        if (IsCut(newline, '[', opener)) {
            return newline + kCutBytes - 1;
        }
        at = newline + 1;
    }
    return kNone;
}

std::size_t JsonItemBatches::FindLastCut(std::size_t& comma) {
    const char* const text = m_buffer.data();
    // What was looked at before needs no second look, but a cut may begin just before it.
    const std::size_t low = m_unchecked > m_start + kCutBytes ? m_unchecked - kCutBytes : m_start;
    m_unchecked = m_end;
    for (std::size_t end = m_end; end > low;) {
        const void* const found = ::memrchr(text + low, '\n', end - low);
        if (found == nullptr) {
            return kNone;
        }
        const auto newline = static_cast<std::size_t>(static_cast<const char*>(found) - text);
        if (IsCut(newline, ',', comma)) {
            return newline + kCutBytes - 1;
        }
        end = newline;
    }
    return kNone;
}

bool JsonItemBatches::TakeBatch(const Take& take, std::size_t closer) {
    char* const text = m_buffer.data();
    text[m_start - 1] = '[';
    text[closer] = ']';
    return take(Piece::Items, std::string_view(text + m_start - 1, closer + 2 - m_start));
}

bool JsonItemBatches::TakeLastBatch(const Take& take) {
    const char* const text = m_buffer.data();
    // The end must be the items' "]" and the list's "}": anything else there is left to the
    // library to read, or to refuse.
    std::size_t at = m_end;
    for (const char closer : {'}', ']'}) {
        while (at > m_start && IsJsonSpace(text[at - 1])) {
            --at;
        }
        if (at == m_start || text[at - 1] != closer) {
            return false;
        }
        --at;
    }
    return TakeBatch(take, at);
}

bool JsonItemBatches::Read(const Take& take) {
    std::size_t opener = 0;
    std::size_t cut = kNone;
    for (std::size_t from = m_start; (cut = FindFirstCut(from, opener)) == kNone;) {
        // The head is still at the front of the buffer, which only grows, so places stay.
        from = m_end > m_start + kCutBytes ? m_end - kCutBytes : m_start;
        if (!Fill()) {
            return take(Piece::Whole, std::string_view(m_buffer.data() + m_start, m_end - m_start));
        }
    }
    // The head with its items array closed at once: the list's object with no items.
    char* const text = m_buffer.data();
    text[opener + 1] = ']';
    text[opener + 2] = '}';
    if (!take(Piece::Envelope, std::string_view(text + m_start, opener + 3 - m_start))) {
        return false;
    }
    m_start = cut;
    m_unchecked = cut;
    for (;;) {
        std::size_t comma = 0;
        const std::size_t next = FindLastCut(comma);
        if (next != kNone) {
            if (!TakeBatch(take, comma)) {
                return false;
            }
            m_start = next;
        }
        if (!Fill()) {
            return TakeLastBatch(take);
        }
    }
}
