// Text written while a list is read: to standard output, or safely to a file that only a list read
// whole is committed to.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "platform/core/File.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/TextStream.h"

/// The output of a command that writes as it reads. A failure to write stops the writing and waits
/// for `Finish`, so a list that then fails to load is reported as that, as when the list was read
/// first; the file is committed only by `Finish`, after the whole list has loaded.
class StreamedOutput {
public:
    /// `path` is a file, or "-" for standard output.
    explicit StreamedOutput(std::u16string path) : m_path(std::move(path)) {}

    /// Runs `write` with the output's writer, opening the output on first use, unless writing has
    /// failed already.
    template <class Write> void Put(Write&& write) {
        if (m_failure) {
            return;
        }
        try {
            write(Writer());
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    /// Hands out the rest and commits the file; false after reporting why writing failed.
    bool Finish();

private:
    TextStreamWriter& Writer();

    std::u16string m_path;
    std::optional<SafeSaveFile> m_file;
    std::optional<CFile> m_standardOutput;
    std::optional<TextStreamWriter> m_writer;
    std::exception_ptr m_failure;
};
