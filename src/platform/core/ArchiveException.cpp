// Archive error causes and their message.
#include "platform/core/ArchiveException.h"

#include "platform/core/FileException.h"
#include "platform/core/Strings.h"

namespace {

/// How the framework names a file it was not told the name of.
constexpr std::u16string_view kUnnamedFile = u"an unnamed file";
constexpr std::u16string_view kMisusedArchive = u"An unknown error occurred while accessing the archive.";

} // namespace

CArchiveException::CArchiveException(ArchiveErrorCause cause)
    : CException(std::u16string(kUnexpectedFileFormat)), m_cause(cause) {}

bool CArchiveException::IsFormatFailure() const {
    return m_cause != ArchiveErrorCause::ReadOnly && m_cause != ArchiveErrorCause::WriteOnly;
}

std::u16string CArchiveException::GetErrorMessage() const {
    if (!IsFormatFailure()) {
        return std::u16string(kMisusedArchive);
    }
    if (m_cause == ArchiveErrorCause::EndOfFile) {
        return FormatString(FileErrorMessagePattern(FileErrorCause::EndOfFile), {kUnnamedFile});
    }
    return std::u16string(kUnexpectedFileFormat);
}
