// Opening, finishing and reporting the output of a command that writes as it reads.
#include "StreamedOutput.h"

#include <unistd.h>

#include "ToolLists.h"
#include "platform/core/ErrorReport.h"

namespace {

constexpr std::u16string_view kStandardOutputName = u"standard output";

} // namespace

TextStreamWriter& StreamedOutput::Writer() {
    if (!m_writer) {
        if (m_path == kStandardStreamPath) {
            m_standardOutput.emplace(STDOUT_FILENO, std::u16string(kStandardOutputName), false);
            m_writer.emplace(*m_standardOutput);
        } else {
            m_file.emplace(m_path);
            m_writer.emplace(m_file->File());
        }
    }
    return *m_writer;
}

bool StreamedOutput::Finish() {
    try {
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
        Writer().Flush();
        if (m_file) {
            m_file->Commit();
        }
        return true;
    } catch (const CException& failure) {
        ReportError(failure.GetErrorMessage());
    }
    return false;
}
