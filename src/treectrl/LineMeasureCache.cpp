// A memo of measured words for the word wrap.
#include "treectrl/LineMeasureCache.h"

#include <stdexcept>

namespace treectrl {

void LineMeasureCache::SetSource(ILineMeasure* source) {
    m_source = source;
    m_memo.clear();
}

CSize LineMeasureCache::MeasureLine(std::u16string_view text) {
    if (m_source == nullptr) {
        throw std::logic_error("LineMeasureCache: no measurer to ask");
    }
    // Looking up by a temporary key costs an allocation only for words beyond the short-string
    // buffer; titles are mostly short words.
    std::u16string key(text);
    if (auto found = m_memo.find(key); found != m_memo.end()) {
        return found->second;
    }
    const CSize extent = m_source->MeasureLine(text);
    if (m_memo.size() >= kMaxEntries) {
        m_memo.clear();
    }
    m_memo.emplace(std::move(key), extent);
    return extent;
}

} // namespace treectrl
