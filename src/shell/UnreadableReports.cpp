// Reporting each unreadable list file once per change.
#include "shell/UnreadableReports.h"

#include "platform/core/Strings.h"

#include <algorithm>
#include <string>

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

std::u16string CUnreadableReports::Compose(const std::vector<UnreadableFile>& files) {
    std::u16string report;
    const std::size_t shown = std::min(files.size(), kMostLinesShown);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            report += u'\n';
        }
        report += files[i].message;
    }
    if (files.size() > shown) {
        report += u"\nand " + Widen(std::to_string(files.size() - shown)) + u" more";
    }
    return report;
}
