// An RGB raster read from the two picture files the end-to-end tests meet: binary PPM (what
// `corvina --screenshot FILE.ppm` writes) and XWD (what `xwd` grabs from the X server).
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace screenmatch {

/// Three bytes per pixel, rows top to bottom, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    /// The red, green and blue bytes of one pixel as 0xRRGGBB.
    std::uint32_t At(int x, int y) const;
};

/// A picture file that cannot be read, with the reason.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Reads a binary (P6) PPM file with a maximum value of 255.
RgbImage ReadPpm(const std::filesystem::path& file);

/// Reads a ZPixmap XWD dump of 24 or 32 bits per pixel in either byte order.
RgbImage ReadXwd(const std::filesystem::path& file);

/// Reads either kind, chosen by the file's first bytes.
RgbImage ReadAny(const std::filesystem::path& file);

/// Writes a binary PPM file.
void WritePpm(const RgbImage& image, const std::filesystem::path& file);

} // namespace screenmatch
