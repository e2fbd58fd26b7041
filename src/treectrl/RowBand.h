// Bookkeeping for the band of rendered rows: which slice of the content the band surface holds,
// and what a move to a new scroll offset can keep and must render afresh.
#pragma once

#include <cstdint>

namespace treectrl {

/// A horizontal strip of content, from top (included) to bottom (excluded), in content y.
struct ContentStrip {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    bool Empty() const { return bottom <= top; }
};

/// What to do to show the band at a new offset.
struct BandUpdate {
    /// True when the old pixels are kept: they move by -shift in band y (shift = new top - old top).
    bool keepOld = false;
    std::int32_t shift = 0;
    /// The content that must be rendered afresh; empty when the band was already current.
    ContentStrip exposed;
};

/// Which content slice the band surface holds. The band is as high as the view; rows are
/// rendered into it only when they come into view, so a scroll step renders just what appears.
class RowBand {
public:
    /// Sets the band's height (the view height); forgets the pixels when it changes.
    void SetHeight(std::int32_t height);
    std::int32_t Height() const { return m_height; }
    /// Content y of the band's first pixel row.
    std::int32_t Top() const { return m_top; }
    /// True when the band's pixels show the content from Top().
    bool Valid() const { return m_valid; }
    /// Marks the pixels stale, so the next update renders the whole band (after a relayout).
    void Invalidate() { m_valid = false; }

    /// Moves the band to start at newTop and says what must be kept and rendered; the band is
    /// valid afterwards, on the understanding that the caller does what the answer says.
    BandUpdate MoveTo(std::int32_t newTop);

    /// The part of [top, bottom) that lies in the band, in content y; empty when none.
    ContentStrip Visible(std::int32_t top, std::int32_t bottom) const;

private:
    std::int32_t m_height = 0; // band height in pixels, the view height
    std::int32_t m_top = 0;    // content y shown at band y 0
    bool m_valid = false;      // the pixels match the content from m_top
};

} // namespace treectrl
