// The floor the file benchmarks are held to: a plain read in 64 KiB blocks and a write of the bytes
// in one piece, through the same file class the program uses and nothing of its formats.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/core/File.h"

namespace bench {

/// How much a plain read takes at a time.
inline constexpr std::size_t kRawBlock = 64 * 1024;

/// Reads the file in blocks into one reused buffer and says how many bytes it held: the least
/// reading it can cost.
inline std::size_t RawRead(const std::u16string& path, std::vector<char>& block) {
    CFile file;
    file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite);
    std::size_t total = 0;
    for (std::size_t got = 1; got != 0; total += got) {
        got = file.Read(block.data(), block.size());
    }
    file.Close();
    return total;
}

/// The file's bytes, read in blocks.
inline std::string ReadAll(const std::u16string& path) {
    CFile file;
    file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite);
    std::string bytes;
    std::vector<char> block(kRawBlock);
    for (std::size_t got = 1; got != 0;) {
        got = file.Read(block.data(), block.size());
        bytes.append(block.data(), got);
    }
    return bytes;
}

/// Writes `bytes` as the whole file in one piece; flushed, the least a save of them can cost.
inline void RawWrite(const std::u16string& path, const std::string& bytes, bool flushed = true) {
    CFile file;
    file.OpenOrThrow(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    file.Write(bytes.data(), bytes.size());
    if (flushed) {
        file.Flush();
    }
    file.Close();
}

} // namespace bench
