// Opening, closing and failing one text file; the records themselves are the writer's and the
// reader's.
#include "textio/TextFile.h"

#include <new>
#include <utility>

#include "platform/core/ErrorReport.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/Strings.h"
#include "textio/TextRecordReader.h"
#include "textio/TextRecordWriter.h"

TextFile::TextFile(std::u16string_view path, std::string_view mode) : TextFile(ToUtf8(path), path, mode) {}

TextFile::TextFile(const std::string& hostPath, std::u16string_view path, std::string_view mode)
    : m_path(path) {
    const char kind = mode.empty() ? '\0' : mode.front();
    try {
        if (kind == 'w') {
            m_target = std::make_unique<SafeSaveFile>(hostPath, m_path);
            m_writer = std::make_unique<TextRecordWriter>(m_target->File());
        } else if (kind == 'r') {
            m_file.OpenHostPathOrThrow(hostPath, m_path, CFile::modeRead | CFile::shareDenyWrite);
            m_reader = std::make_unique<TextRecordReader>(m_file, m_path);
        } else {
            m_error = FileErrorCause::Generic;
        }
    } catch (const CFileException& failure) {
        m_error = failure.Cause();
        m_errorPath = failure.Path();
    }
}

TextFile::TextFile(std::u16string_view path, std::u16string_view mode) : TextFile(path, ToUtf8(mode)) {}

TextFile::TextFile(CFile&& file, std::string_view mode)
    : m_path(file.GetFilePath()), m_file(std::move(file)) {
    const char kind = mode.empty() ? '\0' : mode.front();
    if (kind == 'w') {
        m_writer = std::make_unique<TextRecordWriter>(m_file);
    } else if (kind == 'r') {
        m_reader = std::make_unique<TextRecordReader>(m_file, m_path);
    } else {
        m_error = FileErrorCause::Generic;
    }
}

TextFile::~TextFile() {
    if (IsOpen() && !Close()) {
        ReportError(ErrorMessage(), MessageIcon::Exclamation);
    }
}

std::u16string TextFile::ErrorMessage() const {
    return CFileException(m_error.value_or(FileErrorCause::Generic),
                          m_errorPath.empty() ? m_path : m_errorPath)
        .GetErrorMessage();
}

void TextFile::Fail(FileErrorCause cause, std::u16string path) {
    m_error = cause;
    m_errorPath = std::move(path);
    m_writer.reset();
    m_reader.reset();
    if (m_target) {
        m_target->Discard();
    }
    m_file.Abort();
}

bool TextFile::Close() {
    try {
        if (m_writer) {
            m_writer->Flush();
            m_writer.reset();
            if (m_target) {
                m_target->Commit();
            } else {
                m_file.Close();
            }
        }
        if (m_reader) {
            m_reader.reset();
            m_file.Close();
        }
    } catch (const CFileException& failure) {
        Fail(failure);
    }
    return !m_error.has_value();
}

void TextFile::WriteItem(std::uint32_t depth, const TaskItem& item) {
    if (!m_writer) {
        return;
    }
    try {
        m_writer->Write(depth, item);
    } catch (const CFileException& failure) {
        Fail(failure);
    }
}

bool TextFile::ReadItem(std::uint32_t& depth, TaskItem& item, TextArena& arena) {
    if (!m_reader) {
        return false;
    }
    try {
        return m_reader->Read(depth, item, arena);
    } catch (const CFileException& failure) {
        Fail(failure);
        return false;
    } catch (const std::bad_alloc&) {
        Fail(FileErrorCause::OutOfMemory, m_path);
        return false;
    }
}

void TextFile::Stop(FileErrorCause cause) {
    if (IsOpen()) {
        Fail(cause, m_path);
    }
}
