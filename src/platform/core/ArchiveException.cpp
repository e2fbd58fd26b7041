// Archive error causes and their message.
#include "platform/core/ArchiveException.h"

namespace {

constexpr std::u16string_view kUnexpectedFormat = u"Unexpected file format.";
constexpr std::u16string_view kMisusedArchive = u"An unknown error occurred while accessing the archive.";

}  // namespace

CArchiveException::CArchiveException(ArchiveErrorCause cause)
    : CException(std::u16string(kUnexpectedFormat)), cause_(cause) {}

bool CArchiveException::IsFormatFailure() const {
    return cause_ != ArchiveErrorCause::ReadOnly && cause_ != ArchiveErrorCause::WriteOnly;
}

std::u16string CArchiveException::GetErrorMessage() const {
    return std::u16string(IsFormatFailure() ? kUnexpectedFormat : kMisusedArchive);
}
