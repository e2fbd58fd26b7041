// Writing a picture as a PNG file straight through libpng.
#include "platform/ui/qt/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kBitsPerChannel = 8;
constexpr int kChannels = 3;
/// The highest of zlib's quick levels: half the work of its default on a screen's picture, for a
/// file a tenth larger.
constexpr int kQuickCompression = 3;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

/// libpng reports a failure by jumping out of the call that met it; a warning is only noise.
void IgnoreWarning(png_structp /*png*/, png_const_charp /*message*/) {}

/// The pixels of one row as libpng takes them: red, green, blue.
void PackRow(const QImage& image, int y, std::vector<png_byte>& row) {
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
        row[kChannels * x] = static_cast<png_byte>(qRed(pixels[x]));
        row[kChannels * x + 1] = static_cast<png_byte>(qGreen(pixels[x]));
        row[kChannels * x + 2] = static_cast<png_byte>(qBlue(pixels[x]));
    }
}

/// The writing itself, apart from anything with a destructor, since a failure jumps out of it.
bool Encode(png_structp png, png_infop info, std::FILE* file, const QImage& image,
            std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()),
                 kBitsPerChannel, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                     static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    }
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, kQuickCompression);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        PackRow(image, y, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool WritePngFile(const QImage& image, const std::string& path) {
    if (image.isNull()) {
        return false;
    }
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(kChannels) * static_cast<std::size_t>(pixels.width()));
    const bool encoded = info != nullptr && Encode(png, info, file.get(), pixels, row);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    const bool flushed = std::fflush(file.get()) == 0 && std::ferror(file.get()) == 0;
    return encoded && flushed && std::fclose(file.release()) == 0;
}
