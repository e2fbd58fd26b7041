// corvina-tool's commands that only read lists and print: info, show and progress.
#include <cstdio>
#include <optional>
#include <string>

#include "ControlPictures.h"
#include "ListPrinter.h"
#include "StreamedList.h"
#include "StreamedOutput.h"
#include "ToolCommands.h"
#include "ToolLists.h"
#include "model/CorvinaDoc.h"
#include "model/ListFileHeader.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"

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
    const std::u16string& path = arguments.Operand(0);
    // The heading counts the items, so a first pass counts them, without their texts; the second
    // prints them as they come, so a list of a million items never stands in memory.
    std::size_t items = 0;
    StreamedList counted(ListRecordReader::Texts::Skip,
                         [&items](const ListRecord& record) { items += record.depth > 0; });
    if (!LoadList(counted, path)) {
        return kExitFailure;
    }
    const std::u16string name = ListName(counted);
    StreamedOutput output{std::u16string(kStandardStreamPath)};
    std::optional<ListPrinter> printer;
    const auto start = [&](TextStreamWriter& out) {
        printer.emplace(out);
        printer->Heading(name, items);
    };
    StreamedList printed(ListRecordReader::Texts::Decode, [&](const ListRecord& record) {
        if (record.depth == 0) {
            output.Put(start);
        } else {
            output.Put([&](TextStreamWriter&) { printer->Item(ViewOf(record)); });
        }
    });
    if (!LoadList(printed, path)) {
        return kExitFailure;
    }
    if (!printer) {
        output.Put(start); // a file of no bytes: an empty list, with no root record
    }
    return output.Finish() ? kExitSuccess : kExitFailure;
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
