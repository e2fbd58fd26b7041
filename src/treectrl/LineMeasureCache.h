// A memo of measured words: a list's titles repeat their words, and the wrap measures every word of
// every row at each relayout, so the row font is asked once per distinct word.
#pragma once

#include "treectrl/WordWrap.h"

#include <cstddef>
#include <string>
#include <unordered_map>

namespace treectrl {

/// Answers measurements from a memo, asking the wrapped measurer for words not seen yet.
class LineMeasureCache final : public ILineMeasure {
public:
    /// The memo is emptied whenever it would grow past this many words, which bounds its memory to
    /// under a hundred kilobytes, beside a control's rows; a list's own vocabulary is smaller, so
    /// emptying is rare and cheap.
    static constexpr std::size_t kMaxEntries = 1024;

    /// source must outlive the cache (or be replaced with SetSource before the next measurement).
    explicit LineMeasureCache(ILineMeasure* source = nullptr) : m_source(source) {}

    /// Changes the measurer and forgets everything measured with the old one.
    void SetSource(ILineMeasure* source);
    /// Forgets every measurement, for example after the font changed.
    void Clear() { m_memo.clear(); }
    /// Number of memoised words.
    std::size_t Size() const { return m_memo.size(); }

    CSize MeasureLine(std::u16string_view text) override;

private:
    ILineMeasure* m_source;                           // the measurer asked on a miss; not owned
    std::unordered_map<std::u16string, CSize> m_memo; // word with its space -> its extent
};

} // namespace treectrl
