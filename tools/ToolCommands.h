// The commands of corvina-tool, each returning the process exit status.
#pragma once

#include <string>

/// Exit statuses of corvina-tool.
enum ToolExitStatus : int {
    kExitSuccess = 0, ///< the command did what it was asked
    kExitFailure = 1, ///< a file could not be read or written; the message is on standard error
    kExitUsage = 2,   ///< the command line was wrong; the usage text is on standard error
};

/// Prints "version=<V> items=<N>" from the header of `listPath` alone.
int RunInfo(const std::u16string& listPath);
/// Loads `listPath` and writes its text to `textPath` ("-" is standard output).
int RunExport(const std::u16string& listPath, const std::u16string& textPath);
/// Builds a list from the text in `textPath` and saves it to `listPath` as version 3.
int RunImport(const std::u16string& textPath, const std::u16string& listPath);
/// Loads `fromPath` and saves it to `toPath` as version 3.
int RunResave(const std::u16string& fromPath, const std::u16string& toPath);
/// Prints `listPath` as an indented tree.
int RunShow(const std::u16string& listPath);
