// Lines encoded straight into a text writer's block, as export encodes its records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/core/Strings.h"
#include "platform/core/TextStream.h"

/// Hands each line the room it can take at most in the writer's block; a line too long for a block
/// (pages of notes) is encoded apart first.
class LineWriter {
public:
    /// `longestFrame` is the most bytes a line takes besides its text's.
    LineWriter(TextStreamWriter& out, std::size_t longestFrame) : m_out(out), m_longestFrame(longestFrame) {}

    /// Writes the line `encode` puts at the room it is given, which holds the frame and
    /// `kMostUtf8BytesPerUnit` bytes for each of the line's `textUnits`; `encode` answers where the
    /// line ends.
    template <class Encode> void Line(std::size_t textUnits, const Encode& encode) {
        const std::size_t longest = m_longestFrame + textUnits * kMostUtf8BytesPerUnit;
        if (longest <= TextStreamWriter::kBlockSize) {
            char* const start = m_out.Claim(longest);
            m_out.Commit(static_cast<std::size_t>(encode(start) - start));
            return;
        }
        m_scratch.resize(longest);
        const char* const end = encode(m_scratch.data());
        m_out.Write(std::string_view(m_scratch.data(), static_cast<std::size_t>(end - m_scratch.data())));
    }

private:
    TextStreamWriter& m_out;
    std::size_t m_longestFrame;
    std::string m_scratch; // reused for every line too long for the block
};
