// A memo of measured words for the word wrap.
#include "treectrl/LineMeasureCache.h"

#include <stdexcept>

namespace treectrl {

void LineMeasureCache::SetSource(ILineMeasure* source) {
    source_ = source;
    memo_.clear();
}

CSize LineMeasureCache::MeasureLine(std::u16string_view text) {
    if (source_ == nullptr) {
        throw std::logic_error("LineMeasureCache: no measurer to ask");
    }
    // Looking up by a temporary key costs an allocation only for words beyond the short-string
    // buffer; titles are mostly short words.
    std::u16string key(text);
    if (auto found = memo_.find(key); found != memo_.end()) {
        return found->second;
    }
    const CSize extent = source_->MeasureLine(text);
    if (memo_.size() >= kMaxEntries) {
        memo_.clear();
    }
    memo_.emplace(std::move(key), extent);
    return extent;
}

}  // namespace treectrl
