// The error-reporting hook and its standard-error default.
#include "platform/core/ErrorReport.h"

#include <cstdio>
#include <string>

#include "platform/core/Strings.h"

namespace {

void WriteToStandardError(std::u16string_view message, MessageIcon /*icon*/) {
    const std::string line = ToUtf8(message) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

// The one process-wide hook: every screen and tool reports through the same channel.
ErrorReportHandler& InstalledHandler() {
    static ErrorReportHandler handler;
    return handler;
}

} // namespace

void ReportError(std::u16string_view message, MessageIcon icon) {
    const ErrorReportHandler& handler = InstalledHandler();
    if (handler) {
        handler(message, icon);
        return;
    }
    WriteToStandardError(message, icon);
}

ErrorReportHandler SetErrorReportHandler(ErrorReportHandler handler) {
    ErrorReportHandler previous = std::move(InstalledHandler());
    InstalledHandler() = std::move(handler);
    return previous;
}
