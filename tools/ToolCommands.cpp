// corvina-tool's commands over the list document and the text file.
#include "ToolCommands.h"

#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "ListPrinter.h"
#include "model/CorvinaDoc.h"
#include "model/ListFileHeader.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/TextStream.h"
#include "platform/storage/ListsFolder.h"
#include "textio/DocumentText.h"
#include "textio/TextFile.h"

namespace {

constexpr std::u16string_view kStandardOutputPath = u"-";
constexpr std::u16string_view kStandardOutputName = u"standard output";
constexpr std::u16string_view kNewListTitle = u"Untitled";

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

// Opens a list as the program's Open command does; the document reports any failure itself.
bool LoadList(CCorvinaDoc& doc, const std::u16string& path) {
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);
    return doc.OnOpenDocument(path);
}

std::u16string DisplayName(const CCorvinaDoc& doc) {
    std::u16string name = doc.GetTitle();
    if (name.size() >= kListExtension.size() &&
        std::u16string_view(name).substr(name.size() - kListExtension.size()) == kListExtension) {
        name.resize(name.size() - kListExtension.size());
    }
    return name;
}

} // namespace

int RunInfo(const std::u16string& listPath) {
    ListFileHeader header{};
    try {
        header = ReadListFileHeader(listPath);
    } catch (const CException& failure) {
        ReportError(failure.GetErrorMessage());
        return kExitFailure;
    }
    return PrintToStandardOutput("version=" + std::to_string(header.version) +
                                 " items=" + std::to_string(header.itemCount) + "\n");
}

int RunExport(const std::u16string& listPath, const std::u16string& textPath) {
    CCorvinaDoc doc;
    if (!LoadList(doc, listPath)) {
        return kExitFailure;
    }
    const bool toStandardOutput = textPath == kStandardOutputPath;
    TextFile out = toStandardOutput
                       ? TextFile(CFile(STDOUT_FILENO, std::u16string(kStandardOutputName), false))
                       : TextFile(textPath, "w");
    if (!out.IsOpen()) {
        ReportError(out.ErrorMessage());
        return kExitFailure;
    }
    ExportText(doc, out);
    if (!out.Close()) {
        ReportError(out.ErrorMessage());
        return kExitFailure;
    }
    return kExitSuccess;
}

int RunImport(const std::u16string& textPath, const std::u16string& listPath) {
    TextFile in(textPath, "r");
    if (!in.IsOpen()) {
        ReportError(in.ErrorMessage());
        return kExitFailure;
    }
    CCorvinaDoc doc;
    doc.SetTitle(std::u16string(kNewListTitle));
    doc.OnNewDocument();
    ImportText(doc, in);
    // Import stops quietly at an incomplete record, but a file that could not be read is a failure.
    if (!in.Close()) {
        ReportError(in.ErrorMessage());
        return kExitFailure;
    }
    return doc.OnSaveDocument(listPath) ? kExitSuccess : kExitFailure;
}

int RunResave(const std::u16string& fromPath, const std::u16string& toPath) {
    CCorvinaDoc doc;
    if (!LoadList(doc, fromPath)) {
        return kExitFailure;
    }
    return doc.OnSaveDocument(toPath) ? kExitSuccess : kExitFailure;
}

int RunShow(const std::u16string& listPath) {
    CCorvinaDoc doc;
    if (!LoadList(doc, listPath)) {
        return kExitFailure;
    }
    // Written as the items are walked, so a list of a million items never stands in memory twice.
    CFile output(STDOUT_FILENO, std::u16string(kStandardOutputName), false);
    try {
        TextStreamWriter out(output);
        WriteListForReading(doc, DisplayName(doc), out);
        out.Flush();
    } catch (const CFileException& failure) {
        ReportError(failure.GetErrorMessage());
        return kExitFailure;
    }
    return kExitSuccess;
}
