// Memory-backed files for the harnesses and the quiet error hook.
#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/core/ErrorReport.h"
#include "platform/core/Strings.h"

MemoryFile::MemoryFile() : m_descriptor(::memfd_create("corvina-fuzz", MFD_CLOEXEC)) {
    if (m_descriptor < 0) {
        std::abort();
    }
}

MemoryFile::MemoryFile(const std::uint8_t* data, std::size_t size) : MemoryFile() {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(m_descriptor, data + done, size - done);
        if (put <= 0) {
            std::abort();
        }
        done += static_cast<std::size_t>(put);
    }
}

MemoryFile::~MemoryFile() {
    ::close(m_descriptor);
}

std::u16string MemoryFile::Path() const {
    return Widen("/proc/self/fd/" + std::to_string(m_descriptor));
}

void SilenceErrorReports() {
    static const bool installed = [] {
        SetErrorReportHandler([](std::u16string_view, MessageIcon) {});
        return true;
    }();
    (void)installed;
}
