// Text-mode reading with CR LF translation, and block writing.
#include "platform/core/TextStream.h"

#include <cstring>

namespace {

constexpr std::size_t kReadAheadSize = 64 * 1024;
constexpr char kLineFeed = '\n';

}  // namespace

TextStreamReader::TextStreamReader(CFile& file) : file_(file), buffer_(kReadAheadSize) {}

bool TextStreamReader::Ensure(std::size_t count) {
    if (filled_ - cursor_ >= count) {
        return true;
    }
    if (fileEnded_) {
        return false;
    }
    const std::size_t kept = filled_ - cursor_;
    std::memmove(buffer_.data(), buffer_.data() + cursor_, kept);
    cursor_ = 0;
    filled_ = kept;
    while (filled_ < count && !fileEnded_) {
        const std::size_t got = file_.Read(buffer_.data() + filled_, buffer_.size() - filled_);
        fileEnded_ = got == 0;
        filled_ += got;
    }
    return filled_ >= count;
}

int TextStreamReader::PeekSlow() {
    if (!Ensure(1)) {
        return kEnd;
    }
    const char c = buffer_[cursor_];
    if (c == kCarriageReturn && Ensure(2) && buffer_[cursor_ + 1] == kLineFeed) {
        return kLineFeed;
    }
    return static_cast<unsigned char>(c);
}

std::string_view TextStreamReader::BufferedSlow() {
    if (!Ensure(1)) {
        return {};
    }
    return std::string_view(buffer_.data() + cursor_, filled_ - cursor_);
}

int TextStreamReader::GetSlow() {
    const int c = PeekSlow();
    if (c == kEnd) {
        return kEnd;
    }
    // A translated line end stands for two bytes.
    cursor_ += (c == kLineFeed && buffer_[cursor_] == kCarriageReturn) ? 2 : 1;
    return c;
}

TextStreamWriter::TextStreamWriter(CFile& file) : file_(file), block_(kBlockSize) {}

void TextStreamWriter::Write(std::string_view bytes) {
    if (bytes.size() > block_.size() - used_) {
        Flush();
    }
    // More than a block at once goes straight to the file rather than through the block in pieces.
    if (bytes.size() >= block_.size()) {
        file_.Write(bytes.data(), bytes.size());
        return;
    }
    std::memcpy(block_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

char* TextStreamWriter::Claim(std::size_t count) {
    if (count > block_.size() - used_) {
        Flush();
    }
    return block_.data() + used_;
}

void TextStreamWriter::Flush() {
    if (used_ == 0) {
        return;
    }
    file_.Write(block_.data(), used_);
    used_ = 0;
}
