// Rewriting a list record by record: the records of kept items go out as they come, and a child
// count that changes (an item that loses children to the purge) is settled when its subtree ends.
#include "ListRewrite.h"

#include <exception>
#include <vector>

#include "StreamedList.h"
#include "ToolLists.h"
#include "model/ListRecordWriter.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/SafeSaveFile.h"

namespace {

/// The copy being written, from the root record on; a failure to write stops it and waits until
/// the whole list has loaded, since a list that does not load is reported as that first.
class RewriteTarget {
public:
    RewriteTarget(const std::u16string& target, const ListRewrite& rewrite)
        : m_targetPath(target), m_rewrite(rewrite) {}

    void Take(const ListRecord& record) {
        if (m_failure) {
            return;
        }
        try {
            Write(record);
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    /// Finishes and commits the copy; false after reporting why it failed.
    bool Commit() {
        try {
            if (m_failure) {
                std::rethrow_exception(m_failure);
            }
            if (!m_file) {
                Write(ListRecord{}); // an empty file loads as the empty list, with a plain root
            }
            Close(0);
            m_writer->Finish(m_items);
            m_file->Commit();
            return true;
        } catch (const CArchiveException& failure) {
            ReportError(failure.IsFormatFailure() ? kUnexpectedFileFormat : CDocument::kFailedToSave);
        } catch (const CException& failure) {
            ReportError(failure.GetErrorMessage());
        } catch (const std::exception&) {
            ReportError(CDocument::kFailedToSave);
        }
        return false;
    }

private:
    /// A kept record whose subtree is still being read.
    struct Open {
        std::size_t depth;
        ListRecordWriter::CountPlace countPlace;
        std::uint32_t claimed;
        std::uint32_t kept = 0;
    };

    void Write(const ListRecord& record) {
        if (!m_file) {
            m_file.emplace(m_targetPath);
            m_writer.emplace(m_file->File());
        }
        Close(record.depth);
        if (m_droppingBelow && record.depth > *m_droppingBelow) {
            return;
        }
        m_droppingBelow.reset();
        const bool isItem = record.depth > 0;
        if (isItem && m_rewrite.dropChecked && record.checked != 0) {
            m_droppingBelow = record.depth;
            return;
        }
        const std::uint8_t checked = isItem ? m_rewrite.checked.value_or(record.checked) : record.checked;
        const ListRecordWriter::CountPlace place = m_writer->Write(record, checked, record.children);
        if (!m_open.empty()) {
            ++m_open.back().kept;
        }
        m_open.push_back({record.depth, place, record.children});
        if (isItem) {
            ++m_items;
        }
        // Everything before the first count that may still change can go to the file; only the
        // purge changes counts, and the root's is changed in the file.
        const bool countsMayChange = m_rewrite.dropChecked && m_open.size() > 1;
        m_writer->Release(countsMayChange ? m_open[1].countPlace : place + sizeof(std::uint32_t));
    }

    /// Ends the subtrees of the open records at `depth` and below, settling their child counts.
    void Close(std::size_t depth) {
        while (!m_open.empty() && m_open.back().depth >= depth) {
            const Open& done = m_open.back();
            if (done.kept != done.claimed) {
                m_writer->SetChildren(done.countPlace, done.kept);
            }
            m_open.pop_back();
        }
    }

    const std::u16string& m_targetPath;
    const ListRewrite& m_rewrite;
    std::optional<SafeSaveFile> m_file;
    std::optional<ListRecordWriter> m_writer;
    std::vector<Open> m_open;
    /// While set, records deeper than this belong to a dropped item.
    std::optional<std::size_t> m_droppingBelow;
    std::uint32_t m_items = 0;
    std::exception_ptr m_failure;
};

} // namespace

bool RewriteList(const std::u16string& source, const std::u16string& target, const ListRewrite& rewrite) {
    RewriteTarget copy(target, rewrite);
    StreamedList list(ListRecordReader::Texts::Skip,
                      [&copy](const ListRecord& record) { copy.Take(record); });
    if (!LoadList(list, source)) {
        return false;
    }
    return copy.Commit();
}
