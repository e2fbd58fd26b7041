// A list's JSON cut into pieces that each parse on their own: the envelope, then batches of its
// top-level items, so a text of any length is parsed in memory of a block's size.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

/// Reads JSON a block at a time and hands it on in pieces. A cut is only made where export puts a
/// top-level item: a line that starts with four spaces and "{", the line before ending in "[" (the
/// first item) or "," (the others). Each piece must then parse by itself, which proves every cut
/// right: pieces that each hold whole values, joined back with the separators cut out, are the text.
/// A text with no such line is handed on whole.
class JsonItemBatches {
public:
    /// Fills the buffer it is given with up to as many bytes as asked, answering how many; 0 at the
    /// end. May throw, and the throw passes through `Read`.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;

    enum class Piece {
        Whole,    ///< the whole text, where nothing could be cut
        Envelope, ///< the list's object with its items array emptied, always the first piece of a cut text
        Items,    ///< an array of consecutive top-level items
    };
    /// Takes one piece, followed in memory by at least `kPadding` readable bytes; false stops the
    /// reading.
    using Take = std::function<bool(Piece piece, std::string_view text)>;

    /// The bytes the parser may read past a piece's end.
    static const std::size_t kPadding;
    static constexpr std::size_t kDefaultBlockBytes = 64 * 1024;

    /// A source that gives `text`, which must outlive it.
    static Source FromMemory(std::string_view text);

    /// Reads from `source` in blocks of `blockBytes`; the buffer grows when one item is larger.
    explicit JsonItemBatches(Source source, std::size_t blockBytes = kDefaultBlockBytes);

    /// Hands every piece to `take` in order. False when `take` refuses one, or when a text that was
    /// cut does not end in "]" and "}" (with white space only around them).
    bool Read(const Take& take);

private:
    /// Reads more after the bytes still held, moving them to the front and growing the buffer as
    /// needed; false at the end of the text.
    bool Fill();
    /// Where the first item begins, when its line is held: "{" on a line after the items' "[".
    std::size_t FindFirstCut(std::size_t from, std::size_t& opener) const;
    /// Where the last held item that follows the first one begins, and the "," before it.
    std::size_t FindLastCut(std::size_t& comma);
    /// Whether the line after `newline` is four spaces and "{", with `before` (whose place goes to
    /// `mark`) the last of the text before it but white space.
    bool IsCut(std::size_t newline, char before, std::size_t& mark) const;
    bool TakeLastBatch(const Take& take);
    bool TakeBatch(const Take& take, std::size_t closer);

    Source m_source;
    std::size_t m_blockBytes;
    /// One byte in front of the text for the "[" a batch is opened with; padding behind it.
    std::vector<char> m_buffer;
    std::size_t m_start;
    std::size_t m_end;
    /// From here on the held text has not been searched for a cut.
    std::size_t m_unchecked = 0;
    bool m_ended = false;
};
