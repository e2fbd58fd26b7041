// Loading, saving and naming lists, and the input of corvina-tool's commands.
#include "ToolLists.h"

#include <unistd.h>

#include <filesystem>

#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/Strings.h"
#include "platform/storage/ListsFolder.h"

namespace {

constexpr std::u16string_view kStandardInputName = u"standard input";
constexpr std::size_t kReadBlock = 64 * 1024;

std::filesystem::file_status StatusOf(const std::u16string& path, bool followLinks) {
    std::error_code error;
    const std::filesystem::path host = ToUtf8(path);
    return followLinks ? std::filesystem::status(host, error) : std::filesystem::symlink_status(host, error);
}

} // namespace

bool LoadList(CCorvinaDoc& doc, const std::u16string& path) {
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);
    return doc.OnOpenDocument(path);
}

bool NothingAt(const std::u16string& path) {
    return StatusOf(path, true).type() == std::filesystem::file_type::not_found;
}

bool SomethingAt(const std::u16string& path) {
    const std::filesystem::file_type type = StatusOf(path, false).type();
    return type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::none;
}

bool SaveList(CCorvinaDoc& doc, const std::u16string& path) {
    return doc.OnSaveDocument(path);
}

std::u16string ListName(const CCorvinaDoc& doc) {
    std::u16string name = doc.GetTitle();
    if (name.ends_with(kListExtension)) {
        name.resize(name.size() - kListExtension.size());
    }
    return name;
}

std::string ReadRest(CFile& file) {
    std::string bytes;
    for (;;) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kReadBlock);
        const std::size_t got = file.Read(bytes.data() + had, kReadBlock);
        bytes.resize(had + got);
        if (got < kReadBlock) { // a file's read comes short only at its end
            return bytes;
        }
    }
}

CFile StandardInput() {
    return CFile(STDIN_FILENO, std::u16string(kStandardInputName), false);
}

std::optional<std::string> ReadInput(const std::u16string& path) {
    try {
        CFile in;
        if (path == kStandardStreamPath) {
            in = StandardInput();
        } else {
            in.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite);
        }
        return ReadRest(in);
    } catch (const CException& failure) {
        ReportError(failure.GetErrorMessage());
        return std::nullopt;
    }
}
