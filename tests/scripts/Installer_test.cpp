// The installer script as the README's run command uses it: after it, the program finds its Lists
// folder through the registry and lists the two sample lists; a second run changes nothing.
#include "support/DeviceRootFixture.h"

#include "platform/ui/Resources.h"
#include "shell/ListFolderListing.h"
#include "shell/ListsFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class InstallerTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
    }
    int RunInstaller() const {
        const std::string command = std::string("bash '") + CORVINA_SOURCE_DIR +
                                    "/scripts/install.sh' --device-root '" + m_root.string() + "' >/dev/null";
        return std::system(command.c_str());
    }
};

TEST_F(InstallerTest, FirstRunRecordsTheFolderAndShipsTwoSampleLists) {
    ASSERT_EQ(RunInstaller(), 0);
    EXPECT_EQ(ReadInstallDir(), u"\\Program Files\\Corvina");
    const std::u16string folder = GetListsFolder();
    EXPECT_EQ(folder, u"\\Program Files\\Corvina\\Lists");

    CListFolderListing listing(folder, u"*.crv");
    ASSERT_TRUE(listing.Scan());
    std::vector<std::u16string> names;
    for (const FileRecord& record : listing.Records()) {
        names.push_back(record.fileName);
        EXPECT_NE(record.columns[1], u"Unreadable") << ToUtf8(record.fileName);
    }
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Packing.crv", u"Shopping.crv"}));
    EXPECT_TRUE(listing.Unreadable().empty());
}

TEST_F(InstallerTest, LaterRunsLeaveTheUsersListsAlone) {
    ASSERT_EQ(RunInstaller(), 0);
    std::filesystem::remove(Host(u"\\Program Files\\Corvina\\Lists\\Packing.crv"));
    ASSERT_EQ(RunInstaller(), 0);
    EXPECT_FALSE(std::filesystem::exists(Host(u"\\Program Files\\Corvina\\Lists\\Packing.crv")));
    EXPECT_EQ(ReadInstallDir(), u"\\Program Files\\Corvina");
}

} // namespace
