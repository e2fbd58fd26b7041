// The commands of corvina-tool, each returning the process exit status. Each takes its command
// line already sorted by the rules the command table gives it; a value that makes no sense throws
// `UsageFailure`.
#pragma once

#include "ToolArguments.h"

/// Exit statuses of corvina-tool.
enum ToolExitStatus : int {
    kExitSuccess = 0, ///< the command did what it was asked
    kExitFailure = 1, ///< a file could not be read or written; the message is on standard error
    kExitUsage = 2,   ///< the command line was wrong; the usage text is on standard error
};

// Reports (ReportCommands.cpp).
/// info LIST: "version=<V> items=<N>" from the list file's header alone.
int RunInfo(const ToolArguments& arguments);
/// show LIST: the list as an indented tree.
int RunShow(const ToolArguments& arguments);
/// progress LIST...: "NAME C/N" for each list, C its checked items and N all of them.
int RunProgress(const ToolArguments& arguments);

// Lists in and out (TransferCommands.cpp).
/// export LIST OUT [--format tsv|markdown|json]: the list as text ("-" is standard output).
int RunExport(const ToolArguments& arguments);
/// import IN OUT [--format tsv|json]: a new list from text, the format from the option or from
/// IN's extension (".json", else tab-separated).
int RunImport(const ToolArguments& arguments);
/// resave IN OUT: the list saved again as version 3.
int RunResave(const ToolArguments& arguments);
/// copy SRC DST [--uncheck] [--force]: a new list from another; DST must not exist unless forced.
int RunCopy(const ToolArguments& arguments);

// Checked flags (CheckCommands.cpp).
/// check LIST: every item checked.
int RunCheck(const ToolArguments& arguments);
/// uncheck LIST: every item unchecked.
int RunUncheck(const ToolArguments& arguments);
/// purge-checked LIST: every checked item deleted with its subtree.
int RunPurgeChecked(const ToolArguments& arguments);

// Adding items (AddCommand.cpp).
/// add LIST TITLE [--under PATH] [--quantity N] [--importance high|normal|low] [--notes TEXT]
/// [--checked]: appends items ("-" as TITLE reads one title a line from standard input).
int RunAdd(const ToolArguments& arguments);
