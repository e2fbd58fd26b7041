// Writing a picture as a PNG file straight through libpng.
#pragma once

#include <QImage>

#include <string>

/// Writes `image` to `path` as an 8-bit RGB PNG with its resolution, answering whether the whole
/// file was written. Unlike Qt's image writer it loads no image-format plugins, and it packs quickly:
/// the rows are left unfiltered, as the device's flat colours pack as well that way at a fraction of
/// the time choosing a filter for every row takes, and zlib runs at a quick level.
bool WritePngFile(const QImage& image, const std::string& path);
