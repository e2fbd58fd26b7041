// The first run on a device, as every way of starting the program does it: the installation with
// its sample lists, once; the lists of an earlier start without one taken along; the registry moved
// out of the user's files once, and out of reach of every device path.
#include "support/DeviceRootFixture.h"

#include "platform/storage/ListsFolder.h"
#include "platform/storage/Registry.h"
#include "platform/ui/Resources.h"
#include "shell/FirstRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using Result = FirstRunOutcome::Result;

constexpr const char* kListsFolder = "Program Files/Corvina/Lists";
constexpr const char* kOldRegistry =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarrow\\Corvina]\nInstallDir=\\Elsewhere\n";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class FirstRun : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
    }
    fs::path Lists(const char* name) const { return m_root / kListsFolder / name; }
    static std::string Sample(const char* name) {
        return ReadAll(fs::path(CORVINA_SOURCE_DIR) / "res" / "samples" / name);
    }
};

TEST_F(FirstRun, InstallsOnceWithTheTwoSampleLists) {
    EXPECT_EQ(InstallOnFirstRun(Device()).result, Result::Installed);
    EXPECT_EQ(ReadInstallDir(Device()), u"\\Program Files\\Corvina");
    EXPECT_EQ(GetListsFolder(Device()), u"\\Program Files\\Corvina\\Lists");
    EXPECT_EQ(ReadAll(Lists("Shopping.crv")), Sample("Shopping.crv"));
    EXPECT_EQ(ReadAll(Lists("Packing.crv")), Sample("Packing.crv"));
    EXPECT_TRUE(fs::is_regular_file(m_root / ".system" / "registry.txt"));
    EXPECT_FALSE(fs::exists(m_root / "registry.txt")) << "the registry is no file of the user's";

    // Installed once: a sample the user deleted stays deleted.
    fs::remove(Lists("Packing.crv"));
    EXPECT_EQ(InstallOnFirstRun(Device()).result, Result::AlreadyInstalled);
    EXPECT_FALSE(fs::exists(Lists("Packing.crv")));
}

// An earlier start without an installation kept its lists in "\My Documents"; they move to the one
// Lists folder, and a list named like a sample keeps the user's bytes.
TEST_F(FirstRun, TakesTheListsOfAnEarlierStartAlong) {
    WriteAll(m_root / "My Documents" / "Mine.crv", "mine");
    WriteAll(m_root / "My Documents" / "Shopping.crv", "my shopping");
    WriteAll(m_root / "My Documents" / "notes.txt", "notes");
    EXPECT_EQ(InstallOnFirstRun(Device()).result, Result::Installed);
    EXPECT_EQ(ReadAll(Lists("Mine.crv")), "mine");
    EXPECT_EQ(ReadAll(Lists("Shopping.crv")), "my shopping");
    EXPECT_EQ(ReadAll(Lists("Packing.crv")), Sample("Packing.crv"));
    EXPECT_FALSE(fs::exists(m_root / "My Documents" / "Mine.crv"));
    EXPECT_FALSE(fs::exists(m_root / "My Documents" / "Shopping.crv"));
    EXPECT_EQ(ReadAll(m_root / "My Documents" / "notes.txt"), "notes") << "only lists move";
}

// The registry that earlier versions kept at the device root moves once; a registry.txt that
// appears there later, or one that was never a registry (a list exported as "registry"), is the
// user's and stays as it is.
TEST_F(FirstRun, MovesTheOldRegistryOnceAndLeavesTheUsersRegistryTxt) {
    WriteAll(m_root / "registry.txt", kOldRegistry);
    EXPECT_EQ(InstallOnFirstRun(Device()).result, Result::AlreadyInstalled);
    EXPECT_EQ(ReadInstallDir(Device()), u"\\Elsewhere");
    EXPECT_FALSE(fs::exists(m_root / "registry.txt"));
    EXPECT_EQ(ReadAll(m_root / ".system" / "registry.txt"), kOldRegistry);

    const std::string exported = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarrow\\Corvina]\nInstallDir=\\Mine\n";
    WriteAll(m_root / "registry.txt", exported);
    EXPECT_EQ(MoveOldRegistry(Device()), OldRegistryMove::NothingToMove);
    EXPECT_EQ(InstallOnFirstRun(Device()).result, Result::AlreadyInstalled);
    EXPECT_EQ(ReadAll(m_root / "registry.txt"), exported);
    EXPECT_EQ(ReadInstallDir(Device()), u"\\Elsewhere");
}

TEST_F(FirstRun, AnExportedRegistryTxtIsNoRegistry) {
    const std::string exported = "Milk\t2\t0\t1\t\t0\nBread\t1\t0\t1\t\t0\n";
    WriteAll(m_root / "registry.txt", exported);
    EXPECT_EQ(InstallOnFirstRun(Device()).result, Result::Installed);
    EXPECT_EQ(ReadAll(m_root / "registry.txt"), exported);
    EXPECT_EQ(ReadInstallDir(Device()), u"\\Program Files\\Corvina");
}

// No device path reaches the registry, so no dialog, Export or Save can list, replace or delete it.
TEST_F(FirstRun, NoDevicePathReachesTheRegistry) {
    ASSERT_EQ(InstallOnFirstRun(Device()).result, Result::Installed);
    for (const std::u16string path :
         {u"\\.system\\registry.txt", u"\\.SYSTEM\\registry.txt", u"\\.system", u"\\\\.System\\x.txt"}) {
        EXPECT_TRUE(Device().HostPathFromDevicePath(path).empty()) << ToUtf8(path);
    }
    EXPECT_FALSE(Device().HostPathFromDevicePath(u"\\My Documents\\.system").empty()) << "only the root's";
}

} // namespace
