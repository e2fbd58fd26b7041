// The tab-separated record writer and reader, with scanf's number rules.
#include "textio/TextFile.h"

#include <charconv>
#include <limits>

#include "model/TaskItem.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/Strings.h"
#include "platform/core/TextStream.h"

namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kRecordEnd = '\n';
constexpr char kQuote = '"';
constexpr std::string_view kStoredLineBreak = "\r\n";
// Where the run of ordinary field characters ends: at the separator or a line-end byte.
std::size_t FindFieldStop(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size() && bytes[i] != '\t' && bytes[i] != '\n' && bytes[i] != '\r') {
        ++i;
    }
    return i;
}
constexpr int kDecimalBase = 10;

// The characters scanf's conversions skip before a number, as in the C locale.
bool IsScanfSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

bool NotesNeedQuotes(std::u16string_view notes) {
    return notes.find_first_of(u"\n,") != std::u16string_view::npos;
}

bool IsQuoted(std::u16string_view notes) {
    return !notes.empty() && notes.front() == u'"' && notes.back() == u'"';
}

template <class Number>
void AppendNumber(std::string& out, Number value) {
    char digits[std::numeric_limits<std::uint64_t>::digits10 + 3];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, result.ptr);
}

}  // namespace

TextFile::TextFile(std::u16string_view path, std::string_view mode) : path_(path) {
    const char kind = mode.empty() ? '\0' : mode.front();
    try {
        if (kind == 'w') {
            target_ = std::make_unique<SafeSaveFile>(path_);
            writer_ = std::make_unique<TextStreamWriter>(target_->File());
        } else if (kind == 'r') {
            file_.OpenOrThrow(path_, CFile::modeRead | CFile::shareDenyWrite);
            reader_ = std::make_unique<TextStreamReader>(file_);
        } else {
            error_ = FileErrorCause::Generic;
        }
    } catch (const CFileException& failure) {
        error_ = failure.Cause();
    }
}

TextFile::TextFile(std::u16string_view path, std::u16string_view mode)
    : TextFile(path, ToUtf8(mode)) {}

TextFile::TextFile(CFile&& output) : path_(output.GetFilePath()), file_(std::move(output)) {
    writer_ = std::make_unique<TextStreamWriter>(file_);
}

TextFile::~TextFile() {
    if (IsOpen() && !Close()) {
        ReportError(ErrorMessage(), MessageIcon::Exclamation);
    }
}

std::u16string TextFile::ErrorMessage() const {
    return CFileException(error_.value_or(FileErrorCause::Generic), path_).GetErrorMessage();
}

void TextFile::Fail(FileErrorCause cause) {
    error_ = cause;
    writer_.reset();
    reader_.reset();
    if (target_) {
        target_->Discard();
    }
    file_.Abort();
}

bool TextFile::Close() {
    try {
        if (writer_) {
            writer_->Flush();
            writer_.reset();
            if (target_) {
                target_->Commit();
            } else {
                file_.Close();
            }
        }
        if (reader_) {
            reader_.reset();
            file_.Close();
        }
    } catch (const CFileException& failure) {
        Fail(failure.Cause());
    }
    return !error_.has_value();
}

void TextFile::WriteItem(std::uint32_t depth, const TaskItem& item) {
    if (!writer_) {
        return;
    }
    std::string& record = scratch_;
    record.clear();
    AppendNumber(record, depth);
    record += kFieldSeparator;
    AppendUtf8(record, item.title);
    record += kFieldSeparator;
    AppendNumber(record, static_cast<std::uint32_t>(item.importance));
    record += kFieldSeparator;
    AppendNumber(record, static_cast<int>(item.checked));
    record += kFieldSeparator;
    const bool quoted = NotesNeedQuotes(item.notes);
    if (quoted) {
        record += kQuote;
    }
    AppendUtf8(record, item.notes);
    if (quoted) {
        record += kQuote;
    }
    record += kFieldSeparator;
    AppendNumber(record, item.quantity);
    record += kRecordEnd;
    try {
        writer_->Write(record);
    } catch (const CFileException& failure) {
        Fail(failure.Cause());
    }
}

void TextFile::SkipOne() { reader_->Get(); }

bool TextFile::ReadNumber(bool& negative, std::uint64_t& magnitude, bool& overflow) {
    while (IsScanfSpace(reader_->Peek())) {
        reader_->Get();
    }
    negative = false;
    if (const int sign = reader_->Peek(); sign == '-' || sign == '+') {
        negative = sign == '-';
        reader_->Get();
    }
    if (!IsDigit(reader_->Peek())) {
        return false;
    }
    magnitude = 0;
    overflow = false;
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
    constexpr std::uint64_t kLargestBeforeLastDigit = kLargest / kDecimalBase;
    constexpr std::uint64_t kLargestLastDigit = kLargest % kDecimalBase;
    while (IsDigit(reader_->Peek())) {
        const auto digit = static_cast<std::uint64_t>(reader_->Get() - '0');
        const bool fits = magnitude < kLargestBeforeLastDigit ||
                          (magnitude == kLargestBeforeLastDigit && digit <= kLargestLastDigit);
        if (fits) {
            magnitude = magnitude * kDecimalBase + digit;
        } else {
            overflow = true;
        }
    }
    return true;
}

// Conversions behave as the C library's on this platform: the number is taken as a 64-bit
// long (saturating when it does not fit) and then cut to 32 bits, so "-1" reads as 4294967295.
bool TextFile::ReadUnsigned(std::uint32_t& value) {
    bool negative = false;
    bool overflow = false;
    std::uint64_t magnitude = 0;
    if (!ReadNumber(negative, magnitude, overflow)) {
        return false;
    }
    std::uint64_t wide = std::numeric_limits<std::uint64_t>::max();
    if (!overflow) {
        wide = negative ? std::uint64_t{0} - magnitude : magnitude;
    }
    value = static_cast<std::uint32_t>(wide);
    return true;
}

bool TextFile::ReadSigned(std::int32_t& value) {
    bool negative = false;
    bool overflow = false;
    std::uint64_t magnitude = 0;
    if (!ReadNumber(negative, magnitude, overflow)) {
        return false;
    }
    constexpr std::uint64_t kLongMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::int64_t wide = 0;
    if (negative) {
        wide = (overflow || magnitude > kLongMax + 1) ? std::numeric_limits<std::int64_t>::min()
                                                      : static_cast<std::int64_t>(std::uint64_t{0} - magnitude);
    } else {
        wide = (overflow || magnitude > kLongMax) ? std::numeric_limits<std::int64_t>::max()
                                                  : static_cast<std::int64_t>(magnitude);
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
    return true;
}

bool TextFile::ReadField(std::u16string& field) {
    field.clear();
    if (!reader_) {
        return false;
    }
    // Most fields end at a tab within the bytes already read: decode them where they lie.
    if (const std::string_view ahead = reader_->Buffered(); !ahead.empty()) {
        const std::size_t stop = FindFieldStop(ahead);
        if (stop < ahead.size() && ahead[stop] == kFieldSeparator) {
            AppendFromUtf8OrCp1252(field, ahead.substr(0, stop));
            reader_->Skip(stop + 1);
            return true;
        }
    }
    std::string& bytes = scratch_;
    bytes.clear();
    for (;;) {
        const std::string_view ahead = reader_->Buffered();
        if (ahead.empty()) {
            return false;
        }
        const std::size_t stop = FindFieldStop(ahead);
        bytes.append(ahead.substr(0, stop));
        if (stop == ahead.size()) {
            reader_->Skip(ahead.size());
            continue;
        }
        reader_->Skip(stop);
        // A line end (bare, or CR LF that text mode turns into one) is kept as CR LF; a lone CR
        // is an ordinary character.
        const int c = reader_->Get();
        if (c == kFieldSeparator) {
            break;
        }
        if (c == kRecordEnd) {
            bytes += kStoredLineBreak;
        } else {
            bytes += static_cast<char>(c);
        }
    }
    AppendFromUtf8OrCp1252(field, bytes);
    return true;
}

bool TextFile::ReadItem(std::uint32_t& depth, TaskItem& item) {
    if (!reader_) {
        return false;
    }
    try {
        if (!ReadUnsigned(depth)) {
            return false;
        }
        SkipOne();
        if (!ReadField(item.title)) {
            return false;
        }
        std::uint32_t importance = 0;
        std::int32_t checked = 0;
        if (!ReadUnsigned(importance) || !ReadSigned(checked)) {
            return false;
        }
        item.importance = static_cast<std::int32_t>(importance);
        if (item.importance < TaskItem::kHighImportance || item.importance > TaskItem::kLowImportance) {
            item.importance = TaskItem::kNormalImportance;
        }
        item.checked = static_cast<std::uint8_t>(checked);
        SkipOne();
        if (!ReadField(item.notes)) {
            return false;
        }
        if (IsQuoted(item.notes)) {
            // A lone quote is both the first and the last character: it goes, and nothing is left.
            item.notes.pop_back();
            if (!item.notes.empty()) {
                item.notes.erase(0, 1);
            }
        }
        return ReadUnsigned(item.quantity);
    } catch (const CFileException& failure) {
        Fail(failure.Cause());
        return false;
    }
}
