// The framework's exception base: every failure raised by files and archives carries a cause and can
// describe itself in the words the user sees.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/core/Strings.h"

/// Base of the framework's exceptions.
class CException : public std::runtime_error {
public:
    /// The message shown to the user.
    virtual std::u16string GetErrorMessage() const = 0;

protected:
    explicit CException(const std::u16string& message) : std::runtime_error(ToUtf8(message)) {}
};
