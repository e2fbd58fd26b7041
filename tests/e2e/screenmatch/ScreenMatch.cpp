// screen_match: compares what the X server shows (an xwd dump) with the picture the program renders
// off screen for the same state. Exit status 0 when they match, 1 when they differ, 2 on bad input.
//
//   screen_match ACTUAL EXPECTED [--at X,Y] [--diff FILE]
//
// With --at, EXPECTED is compared with the part of ACTUAL whose top-left corner is X,Y (a window
// inside a grab of the whole screen). On a difference it tells how many pixels differ and where the
// first one is, and with --diff writes that part of ACTUAL with every differing pixel in magenta.
#include "RgbImage.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kMatch = 0;
constexpr int kDiffer = 1;
constexpr int kBadInput = 2;
constexpr std::uint8_t kMarkRed = 255, kMarkGreen = 0, kMarkBlue = 255;

struct Options {
    std::string actual;
    std::string expected;
    int atX = 0;
    int atY = 0;
    std::string diffFile;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    if (argc < 3) {
        return std::nullopt;
    }
    Options options;
    options.actual = argv[1];
    options.expected = argv[2];
    for (int i = 3; i < argc; i += 2) {
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--diff") {
            options.diffFile = value;
        } else if (name == "--at") {
            if (std::sscanf(value.c_str(), "%d,%d", &options.atX, &options.atY) != 2 || options.atX < 0 ||
                options.atY < 0) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The part of `image` of the given size whose top-left corner is x, y.
screenmatch::RgbImage Crop(const screenmatch::RgbImage& image, int x, int y, int width, int height) {
    screenmatch::RgbImage part;
    part.width = width;
    part.height = height;
    part.pixels.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int row = y; row < y + height; ++row) {
        const auto begin = image.pixels.begin() + (static_cast<std::ptrdiff_t>(row) * image.width + x) * 3;
        part.pixels.insert(part.pixels.end(), begin, begin + static_cast<std::ptrdiff_t>(width) * 3);
    }
    return part;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: screen_match ACTUAL EXPECTED [--at X,Y] [--diff FILE]\n");
        return kBadInput;
    }
    try {
        const screenmatch::RgbImage whole = screenmatch::ReadAny(options->actual);
        const screenmatch::RgbImage expected = screenmatch::ReadAny(options->expected);
        if (options->atX + expected.width > whole.width || options->atY + expected.height > whole.height) {
            std::fprintf(stderr, "screen_match: a %dx%d picture at %d,%d does not fit in %dx%d\n",
                         expected.width, expected.height, options->atX, options->atY, whole.width,
                         whole.height);
            return kDiffer;
        }
        screenmatch::RgbImage actual =
            Crop(whole, options->atX, options->atY, expected.width, expected.height);
        long differing = 0;
        for (int y = 0; y < actual.height; ++y) {
            for (int x = 0; x < actual.width; ++x) {
                if (actual.At(x, y) == expected.At(x, y)) {
                    continue;
                }
                if (differing == 0) {
                    std::fprintf(stderr, "screen_match: first difference at %d,%d: %06X, expected %06X\n", x,
                                 y, actual.At(x, y), expected.At(x, y));
                }
                ++differing;
                const std::size_t i = (static_cast<std::size_t>(y) * actual.width + x) * 3;
                actual.pixels[i] = kMarkRed;
                actual.pixels[i + 1] = kMarkGreen;
                actual.pixels[i + 2] = kMarkBlue;
            }
        }
        if (differing == 0) {
            return kMatch;
        }
        std::fprintf(stderr, "screen_match: %ld pixels differ\n", differing);
        if (!options->diffFile.empty()) {
            screenmatch::WritePpm(actual, options->diffFile);
        }
        return kDiffer;
    } catch (const screenmatch::ImageError& error) {
        std::fprintf(stderr, "screen_match: %s\n", error.what());
        return kBadInput;
    }
}
