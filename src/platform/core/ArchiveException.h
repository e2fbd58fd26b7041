// Archive errors: the ways reading or writing an archive can fail apart from the file's own errors.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/Exception.h"

/// Why an archive operation failed.
enum class ArchiveErrorCause {
    Generic,   ///< unspecified archive failure
    ReadOnly,  ///< storing into an archive that is loading
    EndOfFile, ///< the data ended before what was being read
    WriteOnly, ///< loading from an archive that is storing
    BadIndex,  ///< an object reference that does not exist
    BadClass,  ///< an object of an unexpected class
    BadSchema, ///< an object of an unknown schema
    BadString, ///< a string whose encoding is malformed (its length marker repeated)
};

/// How a document reports damaged data, whatever the archive's cause.
inline constexpr std::u16string_view kUnexpectedFileFormat = u"Unexpected file format.";

/// A failed archive operation.
class CArchiveException : public CException {
public:
    explicit CArchiveException(ArchiveErrorCause cause);

    /// The framework's own words for the failure: running out of data is reported as the end-of-file
    /// file error of an unnamed file (an archive does not know its file's name); every other
    /// damaged-data cause as "Unexpected file format.".
    std::u16string GetErrorMessage() const override;
    ArchiveErrorCause Cause() const { return m_cause; }
    /// True for the causes that mean the data itself is damaged (as opposed to misuse of the archive).
    bool IsFormatFailure() const;

private:
    ArchiveErrorCause m_cause;
};
