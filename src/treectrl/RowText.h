// A row's title or notes in one pointer: the owner's own text read where the owner keeps it, or a
// copy the control made, so a control filled from a big list holds no second copy of its texts.
#pragma once

#include "platform/core/CompactText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

/// What a row shows as its title or its notes. Either the owner's text, read in place as the row
/// reads the owner's checked flag (the owner keeps it for as long as the row shows it and tells the
/// control when it changed), or a copy in the control's arena, which outlives the row. The handle
/// owns nothing, so copying it copies the reference.
class RowText {
public:
    RowText() = default;

    /// Shows the owner's `text` in place from now on; null shows the empty text.
    void Share(const CompactText* text) { m_text = reinterpret_cast<std::uintptr_t>(text); }
    /// Shows a copy of `text` made in `arena`. Throws std::length_error for a text longer than
    /// 4294967295 units.
    void Copy(TextArena& arena, std::u16string_view text);

    /// True when the row reads the owner's text in place.
    bool IsShared() const { return m_text != 0 && (m_text & kCopyTag) == 0; }
    /// True when `text` is the very text the row shows: the same units at the same address. The owner
    /// that changed its shared text in place passes that text again, which is not a different one.
    bool IsShowing(std::u16string_view text) const {
        const std::u16string_view shown = view();
        return shown.size() == text.size() && (shown.empty() || shown.data() == text.data());
    }

    std::u16string_view view() const {
        if (m_text == 0) {
            return {};
        }
        if ((m_text & kCopyTag) == 0) {
            return reinterpret_cast<const CompactText*>(m_text)->view();
        }
        const auto* const block = reinterpret_cast<const unsigned char*>(m_text & ~kCopyTag);
        std::uint32_t length = 0;
        std::memcpy(&length, block, sizeof(length));
        return {reinterpret_cast<const char16_t*>(block + kLengthBytes), length};
    }
    operator std::u16string_view() const { return view(); }
    std::u16string str() const { return std::u16string(view()); }
    std::size_t size() const { return view().size(); }
    bool empty() const { return view().empty(); }

    friend bool operator==(const RowText& a, std::u16string_view b) { return a.view() == b; }

private:
    /// The low bit tells a copy's block (1) from the owner's text (0): both are aligned at least to
    /// four bytes, so the bit is free.
    static constexpr std::uintptr_t kCopyTag = 1;
    /// A copy's block: its length, then its units.
    static constexpr std::size_t kLengthBytes = sizeof(std::uint32_t);

    /// 0 for the empty text, the owner's `CompactText`, or a copy's block with `kCopyTag` set.
    std::uintptr_t m_text = 0;
};

/// Prints the text as UTF-8, for test failure messages.
std::ostream& operator<<(std::ostream& out, const RowText& text);
