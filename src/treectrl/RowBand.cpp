// Bookkeeping for the band of rendered rows.
#include "treectrl/RowBand.h"

#include <algorithm>
#include <cstdlib>

namespace treectrl {

void RowBand::SetHeight(std::int32_t height) {
    if (height != height_) {
        height_ = height;
        valid_ = false;
    }
}

BandUpdate RowBand::MoveTo(std::int32_t newTop) {
    BandUpdate update;
    const std::int32_t shift = newTop - top_;
    const bool overlaps = std::abs(shift) < height_;
    if (!valid_ || !overlaps) {
        update.exposed = {newTop, newTop + height_};
    } else if (shift > 0) {
        update.keepOld = true;
        update.shift = shift;
        update.exposed = {top_ + height_, newTop + height_};
    } else if (shift < 0) {
        update.keepOld = true;
        update.shift = shift;
        update.exposed = {newTop, top_};
    } else {
        update.keepOld = true;
    }
    top_ = newTop;
    valid_ = true;
    return update;
}

ContentStrip RowBand::Visible(std::int32_t top, std::int32_t bottom) const {
    return {std::max(top, top_), std::min(bottom, top_ + height_)};
}

}  // namespace treectrl
