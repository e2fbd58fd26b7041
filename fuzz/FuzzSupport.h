// What the harnesses share: fuzz input as a file the program can open by path, and a quiet error hook.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// An anonymous in-memory file holding given bytes, reachable through a /proc path.
class MemoryFile {
public:
    MemoryFile(const std::uint8_t* data, std::size_t size);
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    /// A path that opens this file afresh.
    std::u16string Path() const;
    int Descriptor() const { return m_descriptor; }

private:
    int m_descriptor;
};

/// Installs, once, an error hook that swallows the messages the harnesses provoke on purpose.
void SilenceErrorReports();
