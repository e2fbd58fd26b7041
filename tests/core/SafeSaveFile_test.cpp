// Safe saves that keep users' files whole: links saved through, no temporary left by a killed save,
// the folder named when it refuses new files, folders, pipes, sockets and devices where a file is
// expected, the flush order.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/SafeSaveFile.h"
#include "support/TestFolder.h"

namespace {

namespace fs = std::filesystem;
using Step = ScopedSafeSaveProbe::Step;

// The user and group with the fewest rights on any Linux system.
constexpr uid_t kNobody = 65534;
// No process has this id: the kernel hands out ids below 2^22.
constexpr int kNeverAProcess = 4194304;

void Save(const std::u16string& path, const std::string& bytes) {
    SafeSaveFile save(path);
    save.File().Write(bytes.data(), bytes.size());
    save.Commit();
}

// Starts a save of `path` in a child process that dies before it commits, as a kill -9 would.
void SaveKilledMidway(const std::u16string& path, bool namedTemporaries) {
    const pid_t child = ::fork();
    if (child == 0) {
        ScopedSafeSaveProbe probe(namedTemporaries);
        SafeSaveFile save(path);
        save.File().Write("half", 4);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SafeSaveFile, ALinkIsSavedThroughToItsTargetInTheTargetsFolder) {
    TestFolder folder;
    fs::create_directory(folder.Path() / "store");
    fs::create_directory(folder.Path() / "lists");
    WriteBytes(folder.File("store/real.crv"), "old");
    ::chmod(folder.File("store/real.crv").c_str(), 0604);
    fs::create_symlink("../store/real.crv", folder.Path() / "lists/list.crv");
    fs::create_symlink("list.crv", folder.Path() / "lists/again.crv"); // a chain of two links

    Save(folder.WideFile("lists/again.crv"), "new");

    EXPECT_TRUE(fs::is_symlink(folder.Path() / "lists/list.crv"));
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "lists/again.crv"));
    EXPECT_EQ(fs::read_symlink(folder.Path() / "lists/list.crv"), "../store/real.crv");
    EXPECT_EQ(ReadBytes(folder.File("store/real.crv")), "new");
    EXPECT_EQ(Entries(folder.Path() / "store"), (std::vector<std::string>{"real.crv"}));
    EXPECT_EQ(Entries(folder.Path() / "lists"), (std::vector<std::string>{"again.crv", "list.crv"}));
    struct stat status {};
    ASSERT_EQ(::stat(folder.File("store/real.crv").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0604u);

    // A link whose target does not exist yet gets it made.
    fs::create_symlink("store/fresh.crv", folder.Path() / "dangling.crv");
    Save(folder.WideFile("dangling.crv"), "first");
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "dangling.crv"));
    EXPECT_EQ(ReadBytes(folder.File("store/fresh.crv")), "first");
}

TEST(SafeSaveFile, TheTemporaryHasNoNameUntilTheRename) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    ScopedSafeSaveProbe probe;
    SafeSaveFile save(folder.WideFile("list.crv"));
    save.File().Write("new", 3);
    EXPECT_EQ(Entries(folder.Path()), (std::vector<std::string>{"list.crv"}));
    save.Commit();
    EXPECT_EQ(Entries(folder.Path()), (std::vector<std::string>{"list.crv"}));
    EXPECT_EQ(ReadBytes(folder.File("list.crv")), "new");
    EXPECT_EQ(probe.steps, (std::vector<Step>{Step::FileFlushed, Step::Renamed, Step::FolderFlushed}));
}

TEST(SafeSaveFile, NamedTemporariesFlushTheFileThenTheFolder) {
    TestFolder folder;
    ScopedSafeSaveProbe probe(true);
    Save(folder.WideFile("list.crv"), "new");
    EXPECT_EQ(probe.steps, (std::vector<Step>{Step::FileFlushed, Step::Renamed, Step::FolderFlushed}));
    EXPECT_EQ(Entries(folder.Path()), (std::vector<std::string>{"list.crv"}));
}

TEST(SafeSaveFile, ASaveKilledMidwayLeavesNothingBehind) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    SaveKilledMidway(folder.WideFile("list.crv"), false);
    EXPECT_EQ(Entries(folder.Path()), (std::vector<std::string>{"list.crv"}));
    EXPECT_EQ(ReadBytes(folder.File("list.crv")), "old");
}

TEST(SafeSaveFile, TheNextSaveRemovesTemporariesOfProcessesThatAreGone) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    SaveKilledMidway(folder.WideFile("list.crv"), true);
    ASSERT_EQ(folder.EntryCount(), 2u) << "the killed save should have left its named temporary";
    const std::string gone = "list.crv.~" + std::to_string(kNeverAProcess) + "-0-0.tmp";
    const std::string running = "list.crv.~" + std::to_string(::getppid()) + "-0-0.tmp";
    const std::string otherList = "shop.crv.~" + std::to_string(kNeverAProcess) + "-0-0.tmp";
    for (const std::string& name : {gone, running, otherList, std::string("list.crv.~notes.tmp")}) {
        WriteBytes(folder.File(name), "stale");
    }

    ScopedSafeSaveProbe probe(true);
    Save(folder.WideFile("list.crv"), "new");

    std::vector<std::string> kept{"list.crv", "list.crv.~notes.tmp", running, otherList};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(Entries(folder.Path()), kept);
    EXPECT_EQ(ReadBytes(folder.File("list.crv")), "new");
}

TEST(SafeSaveFile, AFolderWhereTheFileShouldBeIsReportedAsAFolder) {
    TestFolder folder;
    fs::create_directory(folder.Path() / "list.crv");
    try {
        SafeSaveFile save(folder.WideFile("list.crv"));
        FAIL() << "a save over a folder started";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.GetErrorMessage(), folder.WideFile("list.crv") + u" is a folder, not a file.");
    }
    EXPECT_EQ(Entries(folder.Path()), (std::vector<std::string>{"list.crv"}));
    EXPECT_TRUE(fs::is_empty(folder.Path() / "list.crv"));
}

// What kind of thing is at `path`, links not followed: S_IFREG, S_IFIFO and so on; 0 when nothing.
mode_t KindAt(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

// Leaves a socket file at `path`, as a program listening there would.
bool MakeSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        socket >= 0 && ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0) {
        ::close(socket);
    }
    return bound;
}

// A device node like /dev/null in the test folder where the test may make one (as root); otherwise
// /dev/null itself, but only where this process could not replace it even if the save tried.
std::string NullDeviceIn(const TestFolder& folder) {
    constexpr unsigned kMemoryDevices = 1;
    constexpr unsigned kNullDevice = 3;
    const std::string made = folder.File("null.txt");
    if (::mknod(made.c_str(), S_IFCHR | 0666, makedev(kMemoryDevices, kNullDevice)) == 0) {
        return made;
    }
    return ::access("/dev", W_OK) != 0 ? "/dev/null" : std::string();
}

// A save of `path` is refused with `what` after the path, and the thing stays where and what it was.
void ExpectRefused(const std::string& path, const std::u16string& what) {
    const mode_t kind = KindAt(path);
    try {
        Save(Widen(path), "new");
        ADD_FAILURE() << "a save over " << path << " went through";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.GetErrorMessage(), Widen(path) + what);
    }
    EXPECT_EQ(KindAt(path), kind) << path;
}

TEST(SafeSaveFile, PipesSocketsAndDevicesAreRefusedByNameAndLeftAsTheyWere) {
    TestFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("pipe.txt").c_str(), 0644), 0);
    ASSERT_TRUE(MakeSocket(folder.File("socket.txt")));
    fs::create_symlink("pipe.txt", folder.Path() / "link.txt");
    ExpectRefused(folder.File("pipe.txt"), u" is a named pipe, not a file.");
    ExpectRefused(folder.File("socket.txt"), u" is a socket, not a file.");
    // A link is followed, and what it leads to is what counts.
    ExpectRefused(folder.File("link.txt"), u" is a named pipe, not a file.");
    EXPECT_EQ(KindAt(folder.File("pipe.txt")), S_IFIFO);
    if (const std::string device = NullDeviceIn(folder); !device.empty()) {
        ExpectRefused(device, u" is a device, not a file.");
    } else {
        ADD_FAILURE() << "no device node could be made or safely tried";
    }
    std::vector<std::string> left{"link.txt", "pipe.txt", "socket.txt"};
    if (KindAt(folder.File("null.txt")) != 0) {
        left.insert(left.begin() + 1, "null.txt");
    }
    EXPECT_EQ(Entries(folder.Path()), left) << "nothing written beside them";
}

TEST(SafeSaveFile, ATargetThatBecameAPipeWhileWritingIsNotReplaced) {
    TestFolder folder;
    WriteBytes(folder.File("list.crv"), "old");
    SafeSaveFile save(folder.WideFile("list.crv"));
    save.File().Write("new", 3);
    fs::remove(folder.Path() / "list.crv");
    ASSERT_EQ(::mkfifo(folder.File("list.crv").c_str(), 0644), 0);
    try {
        save.Commit();
        ADD_FAILURE() << "the pipe was replaced";
    } catch (const CFileException& failure) {
        EXPECT_EQ(failure.Cause(), FileErrorCause::IsPipe);
    }
    EXPECT_EQ(KindAt(folder.File("list.crv")), S_IFIFO);
    EXPECT_EQ(Entries(folder.Path()), (std::vector<std::string>{"list.crv"}));
}

// Runs in a child process without the rights of the superuser (tests may run as root, who may write
// anywhere), so a folder's permissions hold.
void SaveAsNobodyInto(const std::u16string& path, const std::u16string& expectedMessage) {
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
        ::_exit(2);
    }
    try {
        Save(path, "new");
    } catch (const CFileException& failure) {
        ::_exit(failure.GetErrorMessage() == expectedMessage ? 0 : 1);
    }
    ::_exit(3);
}

TEST(SafeSaveFile, AReadOnlyFolderIsNamedWhenTheFileIsWritable) {
    TestFolder folder;
    fs::create_directory(folder.Path() / "locked");
    WriteBytes(folder.File("locked/good.crv"), "old");
    ::chmod(folder.File("locked/good.crv").c_str(), 0666);
    ::chmod(folder.File("locked").c_str(), 0555);
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EXIT(SaveAsNobodyInto(folder.WideFile("locked/good.crv"),
                                 u"The folder " + folder.WideFile("locked") +
                                     u" is read-only, so nothing can be saved in it."),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(folder.File("locked/good.crv")), "old");
    ::chmod(folder.File("locked").c_str(), 0755);
}

} // namespace
