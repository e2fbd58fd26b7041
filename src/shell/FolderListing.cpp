// Enumerating a folder into records.
#include "shell/FolderListing.h"

namespace {

constexpr char16_t kPathSeparator = u'\\';

} // namespace

CFolderListing::CFolderListing(const DeviceStorage& device, std::u16string folder, std::u16string pattern)
    : m_device(device), m_folder(std::move(folder)), m_pattern(std::move(pattern)) {
    if (!m_folder.empty() && m_folder.back() != kPathSeparator) {
        m_folder.push_back(kPathSeparator);
    }
}

bool CFolderListing::ScanFolder(FindDetails details) {
    m_records.clear();
    CFileFind finder;
    FoundFile found;
    FindStatus status = finder.FindFirst(m_device, m_folder + m_pattern, found, details);
    while (status == FindStatus::Found) {
        AddFile(std::move(found));
        status = finder.FindNext(found);
    }
    return status == FindStatus::NoMoreFiles;
}
