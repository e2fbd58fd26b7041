// Device storage tests: device paths on the host, the registry store, folder enumeration with
// wildcards and file times, attributes, creating a folder and deleting a file.
#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/FileFind.h"
#include "platform/storage/HostNames.h"
#include "platform/storage/ListsFolder.h"
#include "platform/storage/RecoveryCopies.h"
#include "platform/storage/Registry.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// A host path as the device layer answers it.
std::u16string U16(const std::string& hostPath) {
    return Widen(hostPath);
}

/// A fresh device root (and storage card) in a temporary folder for each test.
class DeviceStorageTest : public ::testing::Test {
protected:
    /// Writes a file below the device root with the given contents; answers its host path.
    std::string MakeFile(const std::string& relative, const std::string& contents = "x") {
        const fs::path path = fs::path(root.Path().string()) / relative;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        EXPECT_FALSE(error) << path.parent_path() << ": " << error.message();
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        EXPECT_TRUE(file.is_open()) << path;
        file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        file.close();
        EXPECT_TRUE(file.good()) << path;
        return path.string();
    }

    /// Makes a folder (and its parents) below the device root.
    void MakeFolder(const std::string& relative) {
        std::error_code error;
        fs::create_directories(fs::path(root.Path().string()) / relative, error);
        EXPECT_FALSE(error) << relative << ": " << error.message();
    }

    TestFolder root;
    TestFolder card;
    const DeviceStorage device{{U16(root.Path().string()), U16(card.Path().string())}};
};

/// The user's home folder as the platform finds it: $HOME without a trailing separator, else the
/// file-system root.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return "/";
    }
    std::string folder = fs::path(home).lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

/// Every name an enumeration returns, in order.
std::vector<std::u16string> Enumerate(const DeviceStorage& device, std::u16string_view pattern,
                                      FindStatus* firstStatus = nullptr) {
    std::vector<std::u16string> names;
    CFileFind find;
    FoundFile found;
    FindStatus status = find.FindFirst(device, pattern, found);
    if (firstStatus != nullptr) {
        *firstStatus = status;
    }
    while (status == FindStatus::Found) {
        names.push_back(found.name);
        status = find.FindNext(found);
    }
    return names;
}

} // namespace

// --- Device paths
// --------------------------------------------------------------------------------------------

TEST_F(DeviceStorageTest, DevicePathsLandBelowTheRootAndTheCard) {
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\Program Files\\Corvina\\Lists"),
              U16(root.Path().string() + std::string("/Program Files/Corvina/Lists")));
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\"), U16(root.Path().string()));
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\Storage Card\\Shop.txt"),
              U16(card.Path().string() + std::string("/Shop.txt")));
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\storage card\\Shop.txt"),
              U16(card.Path().string() + std::string("/Shop.txt")))
        << "the card's name is matched without regard to case";
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\Storage Cards\\x"),
              U16(root.Path().string() + std::string("/Storage Cards/x")));
}

TEST_F(DeviceStorageTest, DoubledSeparatorsCountAsOne) {
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\Storage\\Apps\\\\Lists\\"),
              U16(root.Path().string() + std::string("/Storage/Apps/Lists")));
}

TEST_F(DeviceStorageTest, PathsThatCouldLeaveTheDeviceAreRefused) {
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\..\\etc"), u"");
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\Lists\\.\\x"), u"");
    EXPECT_EQ(device.HostPathFromDevicePath(u"\\Lists\\a/../../x"), u"");
    EXPECT_EQ(device.HostPathFromDevicePath(u"Lists\\x"), u"") << "the device has no current folder";
    EXPECT_EQ(device.HostPathFromDevicePath(u""), u"");
    EXPECT_EQ(device.HostPathFromDevicePath(u"/tmp/x.crv"), u"/tmp/x.crv") << "host paths pass through";
}

TEST(DeviceRoot, OptionThenEnvironmentThenTheUsersDataFolder) {
    EXPECT_EQ(DeviceStorage({u"/srv/device", u""}).RootFolder(), u"/srv/device");
    const char* saved = std::getenv("CORVINA_DEVICE_ROOT");
    const std::string restore = saved != nullptr ? saved : "";
    setenv("CORVINA_DEVICE_ROOT", "/var/tmp/from-env/", 1);
    EXPECT_EQ(DeviceStorage({}).RootFolder(), u"/var/tmp/from-env");
    unsetenv("CORVINA_DEVICE_ROOT");
    const std::u16string fallback = DeviceStorage({}).RootFolder();
    EXPECT_TRUE(fallback.ends_with(u"/corvina/device")) << ToUtf8(fallback);
    EXPECT_EQ(DeviceStorage({}).StorageCardFolder(), U16(HomeFolder()));

    const char* savedData = std::getenv("XDG_DATA_HOME");
    const std::string restoreData = savedData != nullptr ? savedData : "";
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(DeviceStorage({}).RootFolder(), u"/srv/data/corvina/device");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(DeviceStorage({}).RootFolder(), U16(HomeFolder() + "/.local/share/corvina/device"))
        << "a data folder that is not absolute is ignored";
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DeviceStorage({}).RootFolder(), U16(HomeFolder() + "/.local/share/corvina/device"));
    if (savedData != nullptr) {
        setenv("XDG_DATA_HOME", restoreData.c_str(), 1);
    }
    if (saved != nullptr) {
        setenv("CORVINA_DEVICE_ROOT", restore.c_str(), 1);
    }
}

// --- Registry
// ---------------------------------------------------------------------------------------------------

TEST_F(DeviceStorageTest, RegistryValueReadsBackIntoTheCallersBuffer) {
    ASSERT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina",
                                  u"InstallDir", u"\\Program Files\\Corvina"),
              RegistryError::None);
    CRegistryKey key;
    ASSERT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina"),
              RegistryError::None);
    char16_t buffer[260] = {};
    ASSERT_EQ(key.QueryStringValue(u"InstallDir", buffer, 260), RegistryError::None);
    EXPECT_EQ(std::u16string(buffer), u"\\Program Files\\Corvina");
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.QueryStringValue(u"InstallDir", buffer, 260), RegistryError::NotOpen);
}

TEST_F(DeviceStorageTest, RegistryMissingKeyValueAndOtherRootAreTold) {
    WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina", u"InstallDir",
                        u"\\Apps");
    CRegistryKey key;
    EXPECT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Other"),
              RegistryError::KeyNotFound);
    EXPECT_EQ(key.Open(device, RegistryRoot::CurrentUser, u"SOFTWARE\\Tarrow\\Corvina"),
              RegistryError::KeyNotFound);
    ASSERT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina"),
              RegistryError::None);
    char16_t buffer[8] = {};
    EXPECT_EQ(key.QueryStringValue(u"Version", buffer, 8), RegistryError::ValueNotFound);
    EXPECT_EQ(
        DeleteRegistryValue(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina", u"InstallDir"),
        RegistryError::None);
    EXPECT_EQ(key.QueryStringValue(u"InstallDir", buffer, 8), RegistryError::KeyNotFound);
}

TEST_F(DeviceStorageTest, RegistryValueMustFitWithItsTerminator) {
    const std::u16string fits(259, u'a');
    const std::u16string tooLong(260, u'a');
    CRegistryKey key;
    char16_t buffer[260];
    std::fill(std::begin(buffer), std::end(buffer), u'z');

    WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina", u"InstallDir",
                        tooLong);
    ASSERT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina"),
              RegistryError::None);
    EXPECT_EQ(key.QueryStringValue(u"InstallDir", buffer, 260), RegistryError::MoreData);
    EXPECT_EQ(buffer[0], u'z') << "a value that does not fit leaves the buffer alone";

    WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina", u"InstallDir",
                        fits);
    ASSERT_EQ(key.QueryStringValue(u"InstallDir", buffer, 260), RegistryError::None);
    EXPECT_EQ(std::u16string(buffer), fits);
    EXPECT_EQ(key.QueryStringValue(u"InstallDir", nullptr, 0), RegistryError::MoreData);
}

TEST_F(DeviceStorageTest, RegistryNamesMatchWithoutRegardToCase) {
    WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina", u"InstallDir",
                        u"\\Apps");
    CRegistryKey key;
    ASSERT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"Software\\TARROW\\corvina"),
              RegistryError::None);
    char16_t buffer[16] = {};
    ASSERT_EQ(key.QueryStringValue(u"installdir", buffer, 16), RegistryError::None);
    EXPECT_EQ(std::u16string(buffer), u"\\Apps");
}

TEST_F(DeviceStorageTest, RegistryRefusesWhatItsLinesCannotHold) {
    CRegistryKey key;
    EXPECT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\\\Corvina"),
              RegistryError::InvalidName);
    EXPECT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE", u"", u"x"),
              RegistryError::InvalidName);
    EXPECT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE", u"a=b", u"x"),
              RegistryError::InvalidName);
    EXPECT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFT]WARE", u"a", u"x"),
              RegistryError::InvalidName);
    EXPECT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE", u"a", u"two\nlines"),
              RegistryError::InvalidName);
    EXPECT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE"), RegistryError::KeyNotFound)
        << "nothing written";
}

TEST_F(DeviceStorageTest, AnyValueOnOneLineReadsBackExactly) {
    const std::u16string values[] = {
        u"\\A,B",
        u"\\A;B",
        u"\"quoted\" and 'single'",
        u"x=y==z",
        u"\\\\server\\share\\",
        u"Caf\u00e9 \u65e5\u672c \u00df",
        u" leading and trailing ",
        u"#not a comment",
        u"[not a section]",
        u"%20 %USERPROFILE% @Variant(x)",
    };
    for (const std::u16string& value : values) {
        ASSERT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina",
                                      u"InstallDir", value),
                  RegistryError::None);
        CRegistryKey key;
        ASSERT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina"),
                  RegistryError::None);
        char16_t buffer[64] = {};
        ASSERT_EQ(key.QueryStringValue(u"InstallDir", buffer, 64), RegistryError::None);
        EXPECT_EQ(std::u16string(buffer), value);
    }
}

TEST_F(DeviceStorageTest, InstallerWrittenRegistryFileIsRead) {
    // The form an installer script writes by hand, documented with the registry: values literal.
    MakeFile(".system/registry.txt", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarrow\\Corvina]\n"
                                     "InstallDir=\\Program Files\\Corvina\n"
                                     "Maker=Tarrow, Inc; \"Caf\xc3\xa9\"\r\n"
                                     "\n"
                                     "[HKEY_CURRENT_USER\\Other]\n"
                                     "InstallDir=elsewhere\n");
    CRegistryKey key;
    ASSERT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina"),
              RegistryError::None);
    char16_t buffer[64] = {};
    ASSERT_EQ(key.QueryStringValue(u"InstallDir", buffer, 64), RegistryError::None);
    EXPECT_EQ(std::u16string(buffer), u"\\Program Files\\Corvina");
    ASSERT_EQ(key.QueryStringValue(u"Maker", buffer, 64), RegistryError::None);
    EXPECT_EQ(std::u16string(buffer), u"Tarrow, Inc; \"Caf\u00e9\"")
        << "a CR LF line end is no part of the value";
    EXPECT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow"), RegistryError::None)
        << "a key above a value";
    EXPECT_EQ(key.Open(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corv"),
              RegistryError::KeyNotFound);
}

// Each part of the program is handed the device it works in: two devices in one process list,
// read the registry of and find the recovery copies in their own roots only.
TEST_F(DeviceStorageTest, TwoDevicesInOneProcessSeeOnlyTheirOwnFiles) {
    const TestFolder otherRoot;
    const DeviceStorage other({U16(otherRoot.Path().string()), U16(card.Path().string())});
    MakeFile("Lists/Mine.crv");
    ASSERT_EQ(WriteRegistryString(device, RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina",
                                  u"InstallDir", u"\\Apps"),
              RegistryError::None);
    MakeRecoveryFolder(device);
    std::ofstream(HostBytesFromName(RecoveryCopyPath(device, u""))) << "unsaved";

    EXPECT_EQ(Enumerate(device, u"\\Lists\\*.crv"), std::vector<std::u16string>{u"Mine.crv"});
    EXPECT_EQ(ReadInstallDir(device), u"\\Apps");
    EXPECT_TRUE(FindRecoveryCopy(device, u""));

    EXPECT_TRUE(Enumerate(other, u"\\Lists\\*.crv").empty());
    EXPECT_EQ(GetFileAttributes(other, u"\\Lists"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadInstallDir(other), u"");
    EXPECT_FALSE(FindRecoveryCopy(other, u""));
    EXPECT_EQ(other.HostPathOf(u"\\Lists\\Mine.crv"), otherRoot.Path().string() + "/Lists/Mine.crv");
}

TEST(HostNames, ANameThatIsNotUtf8KeepsItsBytesAndReadsAsWindows1252) {
    const std::string cp1252 = "Caf\xE9 \x93quoted\x94.crv";
    const std::u16string kept = NameFromHostBytes(cp1252);
    EXPECT_EQ(HostBytesFromName(kept), cp1252) << "the very same bytes back";
    EXPECT_EQ(ReadableName(kept), u"Caf\u00e9 \u201cquoted\u201d.crv");
    const std::string utf8 = "Caf\xC3\xA9.crv";
    EXPECT_EQ(NameFromHostBytes(utf8), u"Caf\u00e9.crv");
    EXPECT_EQ(HostBytesFromName(NameFromHostBytes(utf8)), utf8);
    EXPECT_EQ(ReadableName(u"Caf\u00e9.crv"), u"Caf\u00e9.crv");
}

TEST(HostNames, TheDeviceMakesItsRootAndMapsPathsIntoItWithTheirBytes) {
    const TestFolder folder;
    const std::string root = folder.File("new/device");
    const DeviceStorage device({U16(root), {}});
    device.CreateRoot();
    EXPECT_TRUE(fs::is_directory(root)) << "the device's \\ always exists";
    EXPECT_EQ(device.HostPathOf(u"\\My Documents\\Caf\xDCE9.crv"), root + "/My Documents/Caf\xE9.crv");
    EXPECT_EQ(device.HostPathOf(u"\\..\\x"), "") << "a path out of the device has no host path";
}

// --- Folder enumeration
// ------------------------------------------------------------------------------------------

TEST_F(DeviceStorageTest, PatternIsMatchedWithLetterCaseAndFoldersAreSkipped) {
    MakeFile("Lists/Shop.crv");
    MakeFile("Lists/Pack.crv");
    MakeFile("Lists/Shop.CRV");
    MakeFile("Lists/notes.txt");
    MakeFile("Lists/.crv");
    MakeFolder("Lists/Folder.crv");
    const std::vector<std::u16string> names = Enumerate(device, u"\\Lists\\*.crv");
    EXPECT_EQ(std::set<std::u16string>(names.begin(), names.end()),
              (std::set<std::u16string>{u"Shop.crv", u"Pack.crv", u".crv"}));
}

TEST_F(DeviceStorageTest, QuestionMarkIsOneCharacterAndBracketsAreOrdinary) {
    MakeFile("a1.crv");
    MakeFile("a12.crv");
    MakeFile("[x].crv");
    MakeFile("x.crv");
    EXPECT_EQ(Enumerate(device, u"\\a?.crv"), std::vector<std::u16string>{u"a1.crv"});
    EXPECT_EQ(Enumerate(device, u"\\[x].crv"), std::vector<std::u16string>{u"[x].crv"});
}

TEST_F(DeviceStorageTest, NothingMatchingAndMissingFolderAreToldApart) {
    MakeFolder("Empty");
    FindStatus status = FindStatus::Found;
    EXPECT_TRUE(Enumerate(device, u"\\Empty\\*.crv", &status).empty());
    EXPECT_EQ(status, FindStatus::NoMoreFiles);
    EXPECT_TRUE(Enumerate(device, u"\\Missing\\*.crv", &status).empty());
    EXPECT_EQ(status, FindStatus::PathNotFound);
    EXPECT_TRUE(Enumerate(device, u"\\Empty\\", &status).empty());
    EXPECT_EQ(status, FindStatus::InvalidPattern);

    CFileFind find;
    FoundFile found;
    EXPECT_EQ(find.FindNext(found), FindStatus::NotStarted);
}

TEST_F(DeviceStorageTest, EnumerationKeepsGoingToTheEndAndStaysThere) {
    MakeFile("Lists/One.crv");
    CFileFind find;
    FoundFile found;
    ASSERT_EQ(find.FindFirst(device, u"\\Lists\\*.crv", found), FindStatus::Found);
    EXPECT_EQ(found.name, u"One.crv");
    EXPECT_EQ(found.size, 1u);
    EXPECT_EQ(find.FindNext(found), FindStatus::NoMoreFiles);
    EXPECT_EQ(find.FindNext(found), FindStatus::NoMoreFiles);
}

TEST_F(DeviceStorageTest, LastWriteTimeComesAsCalendarFieldsWithoutTimeZoneShift) {
    const std::string path = MakeFile("Lists/Year.crv");
    std::tm written{};
    written.tm_year = 2009 - 1900;
    written.tm_mon = 12 - 1;
    written.tm_mday = 31;
    written.tm_hour = 23;
    written.tm_min = 30;
    written.tm_sec = 15;
    // The access time is left alone; the modification time becomes 2009-12-31 23:30:15 UTC.
    const timespec times[2] = {{0, UTIME_OMIT}, {::timegm(&written), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;

    CFileFind find;
    FoundFile found;
    ASSERT_EQ(find.FindFirst(device, u"\\Lists\\Year.crv", found), FindStatus::Found);
    EXPECT_EQ(found.lastWriteTime.wYear, 2009);
    EXPECT_EQ(found.lastWriteTime.wMonth, 12);
    EXPECT_EQ(found.lastWriteTime.wDay, 31);
    EXPECT_EQ(found.lastWriteTime.wHour, 23);
    EXPECT_EQ(found.lastWriteTime.wMinute, 30);
    EXPECT_EQ(found.lastWriteTime.wSecond, 15);
    EXPECT_EQ(found.lastWriteTime.wDayOfWeek, 4) << "a Thursday";
}

// --- Attributes, folders, deletion
// ----------------------------------------------------------------------------

TEST_F(DeviceStorageTest, AttributesTellFilesFoldersAndNothing) {
    MakeFile("Lists/Shop.crv");
    EXPECT_EQ(GetFileAttributes(device, u"\\Lists") & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(device, u"\\Lists\\Shop.crv"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributes(device, u"\\Lists\\Gone.crv"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributes(device, u"\\..\\x"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DeviceStorageTest, CreateDirectoryMakesOneLevelOnly) {
    EXPECT_FALSE(CreateDirectory(device, u"\\Storage\\Apps\\Lists")) << "its parent does not exist";
    EXPECT_EQ(GetFileAttributes(device, u"\\Storage"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(CreateDirectory(device, u"\\My Documents"));
    EXPECT_NE(GetFileAttributes(device, u"\\My Documents"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CreateDirectory(device, u"\\My Documents")) << "it exists already";
}

TEST_F(DeviceStorageTest, DeleteFileRemovesFilesOnly) {
    MakeFile("Lists/Shop.crv");
    EXPECT_TRUE(DeleteFile(device, u"\\Lists\\Shop.crv"));
    EXPECT_EQ(GetFileAttributes(device, u"\\Lists\\Shop.crv"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(DeleteFile(device, u"\\Lists\\Shop.crv"));
    EXPECT_FALSE(DeleteFile(device, u"\\Lists")) << "folders are not files";
    EXPECT_NE(GetFileAttributes(device, u"\\Lists"), INVALID_FILE_ATTRIBUTES);
}

namespace {

/// The wildcard rule spelled out: "*" any run of characters, "?" exactly one character (a surrogate
/// pair is one), anything else itself, tried every way by recursion.
bool LiteralWildcardMatch(std::u16string_view name, std::u16string_view pattern) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern.front() == u'*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (LiteralWildcardMatch(name.substr(skip), pattern.substr(1))) {
                return true;
            }
        }
        return false;
    }
    if (name.empty()) {
        return false;
    }
    if (pattern.front() == u'?') {
        const bool pair = name.size() >= 2 && name[0] >= 0xD800 && name[0] <= 0xDBFF && name[1] >= 0xDC00 &&
                          name[1] <= 0xDFFF;
        return LiteralWildcardMatch(name.substr(pair ? 2 : 1), pattern.substr(1));
    }
    return pattern.front() == name.front() && LiteralWildcardMatch(name.substr(1), pattern.substr(1));
}

} // namespace

TEST_F(DeviceStorageTest, EveryPatternMatchesAsTheWildcardRuleSays) {
    const std::u16string names[] = {u"ab.crv", u"aab.crv", u"ba.crv",         u"xaxb.crv",
                                    u"a.b.c",  u"abab",    u"\U0001F600.crv", u"\U0001F600\U0001F600x",
                                    u"*.crv"};
    for (const std::u16string& name : names) {
        MakeFile("Match/" + ToUtf8(name));
    }
    const std::u16string patterns[] = {u"*",       u"*.crv",        u"a*b.crv", u"*a*b*", u"?.crv", u"??x",
                                       u"*ab",     u"a?*",          u"**b.crv", u"a.*.c", u"*.*",   u"?*?*?",
                                       u"ab.crv*", u"*\U0001F600*", u"x*",      u"*.crv?"};
    for (const std::u16string& pattern : patterns) {
        std::set<std::u16string> expected;
        for (const std::u16string& name : names) {
            if (LiteralWildcardMatch(name, pattern)) {
                expected.insert(name);
            }
        }
        const std::vector<std::u16string> found = Enumerate(device, u"\\Match\\" + pattern);
        EXPECT_EQ(std::set<std::u16string>(found.begin(), found.end()), expected) << ToUtf8(pattern);
    }
    EXPECT_EQ(Enumerate(device, u"\\Match\\?.crv"),
              (std::vector<std::u16string>{u"*.crv", u"\U0001F600.crv"}))
        << "a character outside the first plane is one character";
}

// --- Folder views
// --------------------------------------------------------------------------------------------

TEST_F(DeviceStorageTest, FolderViewShowsFoldersThenFilesByNameWithoutHiddenOrDanglingEntries) {
    MakeFile("View/beta.txt");
    MakeFile("View/Alpha.txt");
    MakeFile("View/alpha.txt");
    MakeFile("View/.hidden.txt");
    MakeFolder("View/zoo");
    MakeFolder("View/Apes");
    MakeFolder("View/.secret");
    std::error_code error;
    fs::create_directory_symlink(fs::path(root.Path().string()) / "View/zoo",
                                 fs::path(root.Path().string()) / "View/Linked", error);
    ASSERT_FALSE(error) << error.message();
    fs::create_symlink(fs::path(root.Path().string()) / "View/gone",
                       fs::path(root.Path().string()) / "View/dangling", error);
    ASSERT_FALSE(error) << error.message();

    std::vector<std::pair<std::u16string, bool>> shown;
    for (const FolderEntry& entry : ListFolderEntries(device, u"\\View")) {
        shown.emplace_back(entry.name, entry.folder);
    }
    const std::vector<std::pair<std::u16string, bool>> expected = {
        {u"Apes", true},       {u"Linked", true},     {u"zoo", true},
        {u"Alpha.txt", false}, {u"alpha.txt", false}, {u"beta.txt", false}};
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(ListFolderEntries(device, u"\\Missing").empty());
    EXPECT_TRUE(ListFolderEntries(device, u"\\..").empty()) << "no view reaches outside the device";
}

TEST_F(DeviceStorageTest, EntryOfANameIsFoundInAnyLetterCaseHiddenOnesToo) {
    MakeFile("Names/Shop.crv");
    MakeFile("Names/.Quiet");
    EXPECT_EQ(EntryNamedIgnoringCase(device, u"\\Names", u"SHOP.CRV"), std::u16string(u"Shop.crv"));
    EXPECT_EQ(EntryNamedIgnoringCase(device, u"\\Names", u".quiet"), std::u16string(u".Quiet"));
    EXPECT_EQ(EntryNamedIgnoringCase(device, u"\\Names", u"Shop"), std::nullopt);
    EXPECT_EQ(EntryNamedIgnoringCase(device, u"\\Nowhere", u"Shop.crv"), std::nullopt);
}
