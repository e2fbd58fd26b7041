// Resolving the Lists folder from the registry value the installer writes, and creating it.
#include "support/DeviceRootFixture.h"

#include "platform/storage/ListsFolder.h"
#include "platform/storage/Registry.h"
#include "platform/ui/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

constexpr std::u16string_view kKey = u"SOFTWARE\\Tarrow\\Corvina";
constexpr std::u16string_view kValue = u"InstallDir";

class ListsFolderTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
    }
    void Install(std::u16string_view folder) const {
        ASSERT_EQ(WriteRegistryString(Device(), RegistryRoot::LocalMachine, kKey, kValue, folder),
                  RegistryError::None);
    }
};

TEST_F(ListsFolderTest, InstallFolderGivesItsListsSubfolderCreatedOnFirstStart) {
    MakeFolder(u"\\Storage\\Apps");
    Install(u"\\Storage\\Apps");
    EXPECT_EQ(ReadInstallDir(Device()), u"\\Storage\\Apps");
    EXPECT_EQ(GetListsFolder(Device()), u"\\Storage\\Apps\\Lists");
    EXPECT_TRUE(std::filesystem::is_directory(Host(u"\\Storage\\Apps\\Lists")));
    // A second start finds it there.
    EXPECT_EQ(GetListsFolder(Device()), u"\\Storage\\Apps\\Lists");
}

TEST_F(ListsFolderTest, TrailingBackslashGivesADoubledSeparator) {
    MakeFolder(u"\\Storage\\Apps");
    Install(u"\\Storage\\Apps\\");
    EXPECT_EQ(GetListsFolder(Device()), u"\\Storage\\Apps\\\\Lists");
    EXPECT_TRUE(std::filesystem::is_directory(Host(u"\\Storage\\Apps\\Lists")));
}

TEST_F(ListsFolderTest, MissingKeyOrValueGivesMyDocumentsItself) {
    EXPECT_EQ(ReadInstallDir(Device()), u"");
    EXPECT_EQ(GetListsFolder(Device()), u"\\My Documents");
    EXPECT_TRUE(std::filesystem::is_directory(Host(u"\\My Documents")));
    EXPECT_FALSE(std::filesystem::exists(Host(u"\\My Documents\\Lists")));

    ASSERT_EQ(WriteRegistryString(Device(), RegistryRoot::LocalMachine, kKey, u"OtherValue", u"\\Elsewhere"),
              RegistryError::None);
    EXPECT_EQ(GetListsFolder(Device()), u"\\My Documents");
}

TEST_F(ListsFolderTest, EmptyValueGivesMyDocuments) {
    Install(u"");
    EXPECT_EQ(GetListsFolder(Device()), u"\\My Documents");
}

TEST_F(ListsFolderTest, AHostPathNamesNoDeviceFolderAndGivesMyDocuments) {
    Install(u"/home/me/Corvina");
    EXPECT_EQ(GetListsFolder(Device()), u"\\My Documents");
    EXPECT_FALSE(std::filesystem::exists(m_root / "home")) << "no folder named after the host path";
}

TEST_F(ListsFolderTest, ValueMustFitTheBufferWithItsTerminator) {
    const std::u16string longest(kInstallDirBufferChars - 1, u'a');
    Install(u"\\" + longest.substr(1));
    EXPECT_EQ(ReadInstallDir(Device()).size(), kInstallDirBufferChars - 1);

    Install(u"\\" + std::u16string(kInstallDirBufferChars - 1, u'a'));
    EXPECT_EQ(ReadInstallDir(Device()), u"");
    EXPECT_EQ(GetListsFolder(Device()), u"\\My Documents");
}

TEST_F(ListsFolderTest, OnlyOneLevelIsCreated) {
    Install(u"\\Storage\\Missing");
    EXPECT_EQ(GetListsFolder(Device()), u"\\Storage\\Missing\\Lists");
    EXPECT_FALSE(std::filesystem::exists(Host(u"\\Storage\\Missing")));
}

} // namespace
