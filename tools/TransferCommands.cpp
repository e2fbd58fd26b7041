// corvina-tool's commands that move lists in and out: export, import, resave and copy.
#include <unistd.h>

#include <optional>
#include <string_view>
#include <type_traits>

#include "ListJson.h"
#include "ListJsonRecords.h"
#include "ListMarkdown.h"
#include "ListRewrite.h"
#include "StreamedList.h"
#include "StreamedOutput.h"
#include "ToolCommands.h"
#include "ToolLists.h"
#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/Strings.h"
#include "textio/DocumentText.h"
#include "textio/TextFile.h"

namespace {

constexpr std::u16string_view kStandardOutputName = u"standard output";
constexpr std::u16string_view kNewListTitle = u"Untitled";
constexpr std::u16string_view kJsonExtension = u".json";
constexpr std::string_view kFormatOption = "--format";
constexpr std::string_view kUncheckOption = "--uncheck";
constexpr std::string_view kForceOption = "--force";
constexpr std::uint8_t kUnchecked = 0;

enum class TextFormat { Tsv, Markdown, Json };

TextFormat FormatNamed(const std::u16string& name, bool forImport) {
    if (name == u"tsv") {
        return TextFormat::Tsv;
    }
    if (name == u"json") {
        return TextFormat::Json;
    }
    if (name == u"markdown" && !forImport) {
        return TextFormat::Markdown;
    }
    throw UsageFailure(forImport
                           ? "import reads --format tsv or json, not \"" + ToUtf8(name) + "\""
                           : "export writes --format tsv, markdown or json, not \"" + ToUtf8(name) + "\"");
}

bool HasJsonExtension(std::u16string_view path) {
    if (path.size() < kJsonExtension.size()) {
        return false;
    }
    const std::u16string_view tail = path.substr(path.size() - kJsonExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char16_t lower =
            tail[i] >= u'A' && tail[i] <= u'Z' ? static_cast<char16_t>(tail[i] + (u'a' - u'A')) : tail[i];
        if (lower != kJsonExtension[i]) {
            return false;
        }
    }
    return true;
}

int ExportTabSeparated(const CCorvinaDoc& doc, const std::u16string& textPath) {
    TextFile out = textPath == kStandardStreamPath
                       ? TextFile(CFile(STDOUT_FILENO, std::u16string(kStandardOutputName), false), "w")
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

// Import stops quietly at an incomplete record, but a file that could not be read is a failure.
bool ImportTabSeparated(CCorvinaDoc& doc, const std::u16string& textPath) {
    TextFile in = textPath == kStandardStreamPath ? TextFile(StandardInput(), "r") : TextFile(textPath, "r");
    if (!in.IsOpen()) {
        ReportError(in.ErrorMessage());
        return false;
    }
    ImportText(doc, in);
    if (!in.Close()) {
        ReportError(in.ErrorMessage());
        return false;
    }
    return true;
}

// Where `file` stands, to come back to; nothing for a pipe, which cannot go back.
std::optional<std::uint64_t> PositionOf(const CFile& file) {
    try {
        return file.GetPosition();
    } catch (const CFileException&) {
        return std::nullopt;
    }
}

// The fast reader writes the list straight from the text as export writes it; whatever it is not
// sure of, the JSON library reads again, from where the input began, into a tree, and words every
// message. Input that cannot go back (a pipe) is held whole for that.
int ImportJson(const std::u16string& textPath, const std::u16string& listPath) {
    try {
        CFile in;
        if (textPath == kStandardStreamPath) {
            in = StandardInput();
        } else {
            in.OpenOrThrow(textPath, CFile::modeRead | CFile::shareDenyWrite);
        }
        std::optional<std::string> held;
        JsonItemBatches::Source source = [&in](char* buffer, std::size_t size) {
            return in.Read(buffer, size);
        };
        const std::optional<std::uint64_t> origin = PositionOf(in);
        if (!origin) {
            held = ReadRest(in);
            source = JsonItemBatches::FromMemory(*held);
        }
        if (SaveListFromJson(source, listPath)) {
            return kExitSuccess;
        }
        CCorvinaDoc doc;
        doc.SetTitle(std::u16string(kNewListTitle));
        doc.OnNewDocument();
        if (held) {
            ReadListFromJson(*held, doc);
        } else {
            in.Seek(static_cast<std::int64_t>(*origin), CFile::SeekFrom::Begin);
            ReadListFromJson(in, doc);
        }
        return SaveList(doc, listPath) ? kExitSuccess : kExitFailure;
    } catch (const CException& failure) {
        ReportError(failure.GetErrorMessage());
    } catch (const JsonListFailure& failure) {
        ReportError(textPath + u": " + FromUtf8OrCp1252(failure.what()));
    }
    return kExitFailure;
}

// The writer for a list named `name` whose root claims `topLevelItems`.
template <class Writer>
Writer StartWriter(std::u16string_view name, std::size_t topLevelItems, TextStreamWriter& out) {
    if constexpr (std::is_same_v<Writer, JsonListWriter>) {
        return Writer(name, topLevelItems, &out);
    } else {
        return Writer(name, &out);
    }
}

// Writes the list as text as its records are read, with no tree; only a list read whole is
// committed to a file. Standard output cannot be taken back, so the list is read through once
// first, without its texts, and a damaged one prints nothing.
template <class Writer> int ExportAsItComes(const std::u16string& listPath, const std::u16string& textPath) {
    if (textPath == kStandardStreamPath) {
        StreamedList checked(ListRecordReader::Texts::Skip, [](const ListRecord&) {});
        if (!LoadList(checked, listPath)) {
            return kExitFailure;
        }
    }
    StreamedOutput output(textPath);
    std::optional<Writer> writer;
    std::u16string name;
    const auto start = [&](std::size_t topLevelItems) {
        output.Put(
            [&](TextStreamWriter& out) { writer.emplace(StartWriter<Writer>(name, topLevelItems, out)); });
    };
    StreamedList list(ListRecordReader::Texts::Decode, [&](const ListRecord& record) {
        if (record.depth == 0) {
            start(record.children);
        } else if (writer) {
            output.Put([&](TextStreamWriter&) { writer->Item(ViewOf(record)); });
        }
    });
    // The name comes from the path, which opening sets before the first record.
    list.SetPathName(listPath);
    name = ListName(list);
    if (!LoadList(list, listPath)) {
        return kExitFailure;
    }
    if (!writer) {
        start(0); // a file of no bytes: an empty list, with no root record
    }
    output.Put([&](TextStreamWriter&) {
        if (writer) {
            writer->Finish();
        }
    });
    return output.Finish() ? kExitSuccess : kExitFailure;
}

} // namespace

int RunExport(const ToolArguments& arguments) {
    const std::u16string& listPath = arguments.Operand(0);
    const std::u16string& textPath = arguments.Operand(1);
    const TextFormat format = FormatNamed(arguments.Value(kFormatOption).value_or(u"tsv"), false);
    switch (format) {
    case TextFormat::Tsv: {
        CCorvinaDoc doc;
        if (!LoadList(doc, listPath)) {
            return kExitFailure;
        }
        return ExportTabSeparated(doc, textPath);
    }
    case TextFormat::Markdown:
        return ExportAsItComes<MarkdownListWriter>(listPath, textPath);
    case TextFormat::Json:
        return ExportAsItComes<JsonListWriter>(listPath, textPath);
    }
    return kExitFailure;
}

int RunImport(const ToolArguments& arguments) {
    const std::u16string& textPath = arguments.Operand(0);
    const std::u16string& listPath = arguments.Operand(1);
    const std::optional<std::u16string> named = arguments.Value(kFormatOption);
    const TextFormat format =
        named ? FormatNamed(*named, true) : (HasJsonExtension(textPath) ? TextFormat::Json : TextFormat::Tsv);
    if (format == TextFormat::Json) {
        return ImportJson(textPath, listPath);
    }
    CCorvinaDoc doc;
    doc.SetTitle(std::u16string(kNewListTitle));
    doc.OnNewDocument();
    if (!ImportTabSeparated(doc, textPath)) {
        return kExitFailure;
    }
    return SaveList(doc, listPath) ? kExitSuccess : kExitFailure;
}

int RunResave(const ToolArguments& arguments) {
    CCorvinaDoc doc;
    if (!LoadList(doc, arguments.Operand(0))) {
        return kExitFailure;
    }
    return SaveList(doc, arguments.Operand(1)) ? kExitSuccess : kExitFailure;
}

int RunCopy(const ToolArguments& arguments) {
    const std::u16string& target = arguments.Operand(1);
    if (!arguments.Has(kForceOption) && SomethingAt(target)) {
        ReportError(target + u" already exists; add --force to replace it.");
        return kExitFailure;
    }
    ListRewrite rewrite;
    if (arguments.Has(kUncheckOption)) {
        rewrite.checked = kUnchecked;
    }
    return RewriteList(arguments.Operand(0), target, rewrite) ? kExitSuccess : kExitFailure;
}
