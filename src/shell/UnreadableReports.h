// Which unreadable list files the user has already been told about, so each is reported once per
// change of the file rather than at every refresh of the document list.
#pragma once

#include "shell/ListFolderListing.h"

#include <vector>

/// Remembers the unreadable files already reported.
class CUnreadableReports {
public:
    /// The files of `current` (the unreadable files of the latest scan) not yet reported in that
    /// state, in order; remembers `current` as reported. A file that was repaired, removed or
    /// written anew since is forgotten, so it is reported again should it turn unreadable again.
    std::vector<UnreadableFile> TakeUnreported(const std::vector<UnreadableFile>& current);

    /// The one message of a refresh about `files`: one line per file (its message, which names it), at
    /// most kMostLinesShown of them, then "and N more" for the rest. Empty for no files.
    static std::u16string Compose(const std::vector<UnreadableFile>& files);
    /// How many files a report names one by one.
    static constexpr std::size_t kMostLinesShown = 10;

private:
    std::vector<UnreadableFile> m_reported; ///< the unreadable files as last reported
};
