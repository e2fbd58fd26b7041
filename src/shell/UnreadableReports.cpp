// Reporting each unreadable list file once per change.
#include "shell/UnreadableReports.h"

#include <algorithm>

std::vector<UnreadableFile> CUnreadableReports::TakeUnreported(const std::vector<UnreadableFile>& current) {
    std::vector<UnreadableFile> unreported;
    for (const UnreadableFile& file : current) {
        const bool alreadyReported = std::ranges::any_of(
            m_reported, [&file](const UnreadableFile& reported) { return reported.IsSameVersionAs(file); });
        if (!alreadyReported) {
            unreported.push_back(file);
        }
    }
    m_reported = current;
    return unreported;
}
