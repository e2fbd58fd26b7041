// corvina-tool's commands that only read lists and print: info, show and progress.
#include <cstdio>
#include <string>
#include <unistd.h>

#include "ControlPictures.h"
#include "ListPrinter.h"
#include "StreamedList.h"
#include "ToolCommands.h"
#include "ToolLists.h"
#include "model/CorvinaDoc.h"
#include "model/ListFileHeader.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/TextStream.h"

namespace {

constexpr std::u16string_view kStandardOutputName = u"standard output";

// Writes `text` to standard output; a failure (a closed pipe, a full disk) is a failed command.
int PrintToStandardOutput(const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (!written || std::fflush(stdout) != 0) {
        ReportError(
            CFileException(FileErrorCause::Generic, std::u16string(kStandardOutputName)).GetErrorMessage());
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace

int RunInfo(const ToolArguments& arguments) {
    ListFileHeader header{};
    try {
        header = ReadListFileHeader(arguments.Operand(0));
    } catch (const CException& failure) {
        ReportError(failure.GetErrorMessage());
        return kExitFailure;
    }
    return PrintToStandardOutput("version=" + std::to_string(header.version) +
                                 " items=" + std::to_string(header.itemCount) + "\n");
}

int RunShow(const ToolArguments& arguments) {
    CCorvinaDoc doc;
    if (!LoadList(doc, arguments.Operand(0))) {
        return kExitFailure;
    }
    // Written as the items are walked, so a list of a million items never stands in memory twice.
    CFile output(STDOUT_FILENO, std::u16string(kStandardOutputName), false);
    try {
        TextStreamWriter out(output);
        WriteListForReading(doc, ListName(doc), out);
        out.Flush();
    } catch (const CFileException& failure) {
        ReportError(failure.GetErrorMessage());
        return kExitFailure;
    }
    return kExitSuccess;
}

int RunProgress(const ToolArguments& arguments) {
    int status = kExitSuccess;
    for (const std::u16string& path : arguments.Operands()) {
        // Counted as the records are read: a list of a million items is never built.
        std::size_t checked = 0;
        std::size_t items = 0;
        StreamedList list(ListRecordReader::Texts::Skip, [&](const ListRecord& record) {
            const bool isItem = record.depth > 0;
            items += isItem;
            checked += isItem && record.checked != 0;
        });
        if (!LoadList(list, path)) {
            status = kExitFailure;
            continue;
        }
        const std::string line = WithControlPictures(ListName(list)) + " " + std::to_string(checked) + "/" +
                                 std::to_string(items) + "\n";
        if (PrintToStandardOutput(line) != kExitSuccess) {
            return kExitFailure;
        }
    }
    return status;
}
