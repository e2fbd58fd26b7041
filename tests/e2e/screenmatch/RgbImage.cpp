// Reading and writing the PPM and XWD pictures of the end-to-end tests.
#include "RgbImage.h"

#include <array>
#include <bit>
#include <cctype>
#include <fstream>
#include <iterator>

namespace screenmatch {
namespace {

constexpr int kBytesPerRgbPixel = 3;
constexpr int kPpmMaxValue = 255;
constexpr std::uint32_t kXwdFileVersion = 7;
constexpr std::uint32_t kXwdZPixmap = 2;
constexpr std::uint32_t kXwdLsbFirst = 0;
constexpr std::size_t kXwdHeaderFields = 25;
constexpr std::size_t kXwdColorEntryBytes = 12;
// A sane ceiling so a damaged header cannot make us reserve gigabytes.
constexpr int kMaxSide = 16384;

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw ImageError("cannot open " + file.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void CheckSize(int width, int height, const std::filesystem::path& file) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        throw ImageError("implausible picture size in " + file.string());
    }
}

// Reads one whitespace-separated number of a PPM header; '#' starts a comment up to the line end.
int ReadPpmNumber(const std::vector<std::uint8_t>& bytes, std::size_t& pos,
                  const std::filesystem::path& file) {
    while (pos < bytes.size()) {
        if (bytes[pos] == '#') {
            while (pos < bytes.size() && bytes[pos] != '\n') {
                ++pos;
            }
        } else if (std::isspace(bytes[pos]) != 0) {
            ++pos;
        } else {
            break;
        }
    }
    long value = 0;
    std::size_t digits = 0;
    while (pos < bytes.size() && std::isdigit(bytes[pos]) != 0 && digits < 6) {
        value = value * 10 + (bytes[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0) {
        throw ImageError("damaged PPM header in " + file.string());
    }
    return static_cast<int>(value);
}

struct XwdHeader {
    std::array<std::uint32_t, kXwdHeaderFields> field{};
    std::uint32_t headerSize() const { return field[0]; }
    std::uint32_t version() const { return field[1]; }
    std::uint32_t format() const { return field[2]; }
    std::uint32_t width() const { return field[4]; }
    std::uint32_t height() const { return field[5]; }
    std::uint32_t byteOrder() const { return field[7]; }
    std::uint32_t bitsPerPixel() const { return field[11]; }
    std::uint32_t bytesPerLine() const { return field[12]; }
    std::uint32_t redMask() const { return field[14]; }
    std::uint32_t greenMask() const { return field[15]; }
    std::uint32_t blueMask() const { return field[16]; }
    std::uint32_t colorCount() const { return field[19]; }
};

// The header's own byte order is the writer's; version 7 read the wrong way round tells us to swap.
XwdHeader ReadXwdHeader(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& file) {
    if (bytes.size() < kXwdHeaderFields * 4) {
        throw ImageError("XWD file too short: " + file.string());
    }
    XwdHeader header;
    for (bool bigEndian : {true, false}) {
        for (std::size_t i = 0; i < kXwdHeaderFields; ++i) {
            const std::uint8_t* p = &bytes[i * 4];
            header.field[i] = bigEndian ? (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 |
                                           std::uint32_t{p[2]} << 8 | p[3])
                                        : (std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 |
                                           std::uint32_t{p[1]} << 8 | p[0]);
        }
        if (header.version() == kXwdFileVersion) {
            return header;
        }
    }
    throw ImageError("not an XWD version 7 file: " + file.string());
}

// Scales a channel taken out with its mask to 0..255.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t value = (pixel & mask) >> shift;
    const std::uint32_t maxValue = (std::uint32_t{1} << bits) - 1;
    return static_cast<std::uint8_t>(value * 255 / maxValue);
}

} // namespace

std::uint32_t RgbImage::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * kBytesPerRgbPixel;
    return std::uint32_t{pixels[i]} << 16 | std::uint32_t{pixels[i + 1]} << 8 | pixels[i + 2];
}

RgbImage ReadPpm(const std::filesystem::path& file) {
    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') {
        throw ImageError("not a binary PPM file: " + file.string());
    }
    std::size_t pos = 2;
    RgbImage image;
    image.width = ReadPpmNumber(bytes, pos, file);
    image.height = ReadPpmNumber(bytes, pos, file);
    const int maxValue = ReadPpmNumber(bytes, pos, file);
    CheckSize(image.width, image.height, file);
    if (maxValue != kPpmMaxValue) {
        throw ImageError("PPM with a maximum other than 255: " + file.string());
    }
    ++pos; // the single whitespace byte before the raster
    const std::size_t rasterBytes = static_cast<std::size_t>(image.width) * image.height * kBytesPerRgbPixel;
    if (pos > bytes.size() || bytes.size() - pos < rasterBytes) {
        throw ImageError("PPM raster cut short: " + file.string());
    }
    image.pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                        bytes.begin() + static_cast<std::ptrdiff_t>(pos + rasterBytes));
    return image;
}

RgbImage ReadXwd(const std::filesystem::path& file) {
    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    const XwdHeader header = ReadXwdHeader(bytes, file);
    if (header.format() != kXwdZPixmap || (header.bitsPerPixel() != 24 && header.bitsPerPixel() != 32)) {
        throw ImageError("XWD file is not a 24 or 32 bit ZPixmap: " + file.string());
    }
    RgbImage image;
    image.width = static_cast<int>(header.width());
    image.height = static_cast<int>(header.height());
    CheckSize(image.width, image.height, file);
    const std::size_t bytesPerPixel = header.bitsPerPixel() / 8;
    const std::size_t start = header.headerSize() + std::size_t{header.colorCount()} * kXwdColorEntryBytes;
    const std::size_t needed =
        start + std::size_t{header.bytesPerLine()} * (image.height - 1) + bytesPerPixel * image.width;
    if (header.bytesPerLine() < bytesPerPixel * image.width || bytes.size() < needed) {
        throw ImageError("XWD raster cut short: " + file.string());
    }
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * kBytesPerRgbPixel);
    std::size_t out = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p =
                &bytes[start + y * std::size_t{header.bytesPerLine()} + x * bytesPerPixel];
            std::uint32_t pixel = 0;
            for (std::size_t b = 0; b < bytesPerPixel; ++b) {
                const std::size_t index = header.byteOrder() == kXwdLsbFirst ? bytesPerPixel - 1 - b : b;
                pixel = pixel << 8 | p[index];
            }
            image.pixels[out++] = Channel(pixel, header.redMask());
            image.pixels[out++] = Channel(pixel, header.greenMask());
            image.pixels[out++] = Channel(pixel, header.blueMask());
        }
    }
    return image;
}

RgbImage ReadAny(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[2] = {};
    in.read(magic, 2);
    return (magic[0] == 'P' && magic[1] == '6') ? ReadPpm(file) : ReadXwd(file);
}

void WritePpm(const RgbImage& image, const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << image.width << ' ' << image.height << '\n' << kPpmMaxValue << '\n';
    out.write(reinterpret_cast<const char*>(image.pixels.data()),
              static_cast<std::streamsize>(image.pixels.size()));
    if (!out) {
        throw ImageError("cannot write " + file.string());
    }
}

} // namespace screenmatch
