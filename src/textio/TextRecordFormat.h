// The bytes that frame one tab-separated record, shared by the writer and the reader.
#pragma once

#include <string_view>

namespace text_record {

inline constexpr char kFieldSeparator = '\t';
inline constexpr char kRecordEnd = '\n';
inline constexpr char kQuote = '"';
/// How a line break inside a title or notes field is kept in the item.
inline constexpr std::string_view kStoredLineBreak = "\r\n";

} // namespace text_record
