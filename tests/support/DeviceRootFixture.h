// A private device root for one test: a fresh host folder that is the device's "\", with helpers to
// put list files of a chosen item count and date into it.
#pragma once

#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace shelltest {

/// A calendar day, read as noon UTC so that no time zone moves it to another day.
struct Day {
    int year;
    int month;
    int day;
};

/// The header of a version-3 list file recording `count` items: marker, version, count.
inline std::vector<std::uint8_t> ListHeader(std::uint32_t count) {
    std::vector<std::uint8_t> bytes = {0xEF, 0xBE, 0xAD, 0xDE, 0x03, 0x00, 0x00, 0x00};
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(count >> shift));
    }
    return bytes;
}

/// Makes a fresh device root, a device storage on it for the test to hand to what it tests, and
/// removes it afterwards.
class DeviceRootTest : public ::testing::Test {
protected:
    void SetUp() override { m_device.CreateRoot(); }

    /// The device the test works in.
    const DeviceStorage& Device() const { return m_device; }

    /// The host path of a device path.
    std::filesystem::path Host(std::u16string_view devicePath) const {
        return std::filesystem::path(m_device.HostPathOf(devicePath));
    }

    /// Creates a device folder and its parents.
    void MakeFolder(std::u16string_view devicePath) const {
        std::filesystem::create_directories(Host(devicePath));
    }

    /// Writes a file with exactly these bytes, last written on `day`.
    void WriteFile(std::u16string_view devicePath, const std::vector<std::uint8_t>& bytes, Day day) const {
        const std::filesystem::path host = Host(devicePath);
        {
            std::ofstream out(host, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
        SetLastWrite(host, day);
    }

    /// Writes a list file whose header records `count` items.
    void WriteList(std::u16string_view devicePath, std::uint32_t count, Day day = {2004, 3, 5}) const {
        WriteFile(devicePath, ListHeader(count), day);
    }

    static void SetLastWrite(const std::filesystem::path& host, Day day) {
        constexpr int kNoon = 12;
        std::tm fields{};
        fields.tm_year = day.year - 1900;
        fields.tm_mon = day.month - 1;
        fields.tm_mday = day.day;
        fields.tm_hour = kNoon;
        const std::time_t when = ::timegm(&fields);
        const timespec times[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, host.c_str(), times, 0), 0);
    }

private:
    TestFolder m_rootFolder; // removed with everything in it when the test ends

protected:
    const std::filesystem::path m_root = m_rootFolder.Path();

private:
    DeviceStorage m_device{{FromUtf8OrCp1252(m_root.string()), {}}};
};

} // namespace shelltest
