// The error-reporting hook: the one way the program's lower layers tell the user something went wrong.
// Without screens it writes to standard error; the screens install a handler that shows a message box.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

/// The icon a report carries; a message box shows it, standard error ignores it.
enum class MessageIcon { Exclamation, Stop, Information, Question };

/// Receives one report: the message text and its icon.
using ErrorReportHandler = std::function<void(std::u16string_view message, MessageIcon icon)>;

/// Hands `message` to the installed handler (standard error, one line, when none is installed).
void ReportError(std::u16string_view message, MessageIcon icon = MessageIcon::Exclamation);

/// Installs `handler` (an empty one restores the standard-error default) and returns the previous one.
ErrorReportHandler SetErrorReportHandler(ErrorReportHandler handler);

/// Installs a handler for the lifetime of this object and restores the previous one afterwards.
class ScopedErrorReportHandler {
public:
    explicit ScopedErrorReportHandler(ErrorReportHandler handler)
        : m_previous(SetErrorReportHandler(std::move(handler))) {}
    ~ScopedErrorReportHandler() { SetErrorReportHandler(std::move(m_previous)); }
    ScopedErrorReportHandler(const ScopedErrorReportHandler&) = delete;
    ScopedErrorReportHandler& operator=(const ScopedErrorReportHandler&) = delete;

private:
    ErrorReportHandler m_previous;
};
