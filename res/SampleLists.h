// The sample lists that the first run puts into a new Lists folder, as the bytes of their list
// files (res/samples/<name>.crv, built into the program).
#pragma once

#include <span>
#include <string_view>

/// One sample list: its file name in the Lists folder and the file's bytes.
struct SampleList {
    std::u16string_view fileName;
    std::span<const unsigned char> bytes;
};

/// The sample lists, in the order they are installed.
std::span<const SampleList> SampleLists();
