// A row's text: the owner's, read in place, or the control's copy.
#include "treectrl/RowText.h"

#include "platform/core/Strings.h"

#include <cstring>
#include <limits>
#include <stdexcept>

static_assert(alignof(CompactText) > 1, "the copy tag needs the owner's texts on even addresses");

void RowText::Copy(TextArena& arena, std::u16string_view text) {
    if (text.empty()) {
        m_text = 0;
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("a row text longer than 4294967295 units");
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    unsigned char* const block = arena.Allocate(kLengthBytes + text.size() * sizeof(char16_t));
    std::memcpy(block, &length, sizeof(length));
    std::memcpy(block + kLengthBytes, text.data(), text.size() * sizeof(char16_t));
    m_text = reinterpret_cast<std::uintptr_t>(block) | kCopyTag;
}

std::ostream& operator<<(std::ostream& out, const RowText& text) {
    return out << ToUtf8(text.view());
}
