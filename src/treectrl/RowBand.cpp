// Bookkeeping for the band of rendered rows.
#include "treectrl/RowBand.h"

#include <algorithm>
#include <cstdlib>

namespace treectrl {

void RowBand::SetHeight(std::int32_t height) {
    if (height != m_height) {
        m_height = height;
        m_valid = false;
    }
}

BandUpdate RowBand::MoveTo(std::int32_t newTop) {
    BandUpdate update;
    const std::int32_t shift = newTop - m_top;
    const bool overlaps = std::abs(shift) < m_height;
    if (!m_valid || !overlaps) {
        update.exposed = {newTop, newTop + m_height};
    } else if (shift > 0) {
        update.keepOld = true;
        update.shift = shift;
        update.exposed = {m_top + m_height, newTop + m_height};
    } else if (shift < 0) {
        update.keepOld = true;
        update.shift = shift;
        update.exposed = {newTop, m_top};
    } else {
        update.keepOld = true;
    }
    m_top = newTop;
    m_valid = true;
    return update;
}

ContentStrip RowBand::Visible(std::int32_t top, std::int32_t bottom) const {
    return {std::max(top, m_top), std::min(bottom, m_top + m_height)};
}

} // namespace treectrl
