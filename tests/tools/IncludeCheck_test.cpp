// The include check on small planted trees: what it lets through, what it names (file, line and the
// broken arrow), and the exit status ctest sees.
#include "includecheck/IncludeCheck.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using includecheck::CheckTree;
using includecheck::Describe;
using includecheck::IncludeMap;
using includecheck::TreeLayout;

const TreeLayout kLayout{{"src", "tests"}, {"src", "."}};

/// Two layers and a Qt-facing corner: ui sees core; ui/qt sees ui, core and Qt.
constexpr const char* kMap = "# planted\n"
                             "src/core:\n"
                             "src/ui:     src/core   # the facade\n"
                             "src/ui/qt:  src/ui src/core <Qt>\n"
                             "tests/ui:   src/ui\n";

class IncludeCheckTest : public ::testing::Test {
protected:
    void Plant(const std::string& path, const std::string& text) {
        const std::filesystem::path file = m_folder.Path() / path;
        std::filesystem::create_directories(file.parent_path());
        WriteBytes(file.string(), text);
    }
    std::vector<std::string> Check(const char* map = kMap) {
        std::vector<std::string> lines;
        for (const auto& violation : CheckTree(m_folder.Path(), kLayout, IncludeMap::Parse(map))) {
            lines.push_back(Describe(violation));
        }
        return lines;
    }
    /// The layered tree with every arrow kept.
    void PlantCleanTree() {
        Plant("src/core/Strings.h", "#pragma once\n#include <string>\n");
        Plant("src/ui/Wnd.h", "#pragma once\n#include \"core/Strings.h\"\n");
        Plant("src/ui/qt/Wnd.cpp", "#include \"ui/Wnd.h\"\n#include \"Bridge.h\"\n#include <QWidget>\n");
        Plant("src/ui/qt/Bridge.h", "#  include <QtGui/QImage>\n");
        Plant("tests/ui/Wnd_test.cpp", "#include \"../../src/ui/Wnd.h\"\n#include <gtest/gtest.h>\n");
    }

    TestFolder m_folder;
};

TEST_F(IncludeCheckTest, KeptArrowsPassAndEachBrokenOneIsNamedWithItsLine) {
    PlantCleanTree();
    EXPECT_EQ(Check(), std::vector<std::string>{});

    Plant("src/core/Up.cpp", "// reaches up\n#include <vector>\n#include \"ui/Wnd.h\"\n");
    Plant("src/ui/Paint.cpp", "#include \"ui/Wnd.h\"\n\n#include <QPainter>\n");
    Plant("src/ui/Facade.h", "#include \"ui/qt/Bridge.h\"\n");
    Plant("src/ui/Typo.cpp", "#include \"ui/Wind.h\"\n");
    Plant("src/stray/Lost.h", "#pragma once\n");
    Plant("tests/ui/Deep_test.cpp", "#include \"core/Strings.h\"\n");
    EXPECT_EQ(Check(), (std::vector<std::string>{
                           "src/core/Up.cpp:3: src/core may not include src/ui/Wnd.h",
                           "src/stray/Lost.h:0: no folder of the include map holds this file",
                           "src/ui/Facade.h:1: src/ui may not include src/ui/qt/Bridge.h",
                           "src/ui/Paint.cpp:3: src/ui may not include Qt's <QPainter>",
                           "src/ui/Typo.cpp:1: \"ui/Wind.h\" is not in the tree",
                           "tests/ui/Deep_test.cpp:1: tests/ui may not include src/core/Strings.h",
                       }));
}

TEST_F(IncludeCheckTest, TheProgramFailsOnAPlantedIncludeAndPassesWithoutIt) {
    PlantCleanTree();
    WriteBytes(m_folder.File("layers.txt"), kMap);
    const std::string command = std::string("'") + INCLUDE_CHECK_PATH + "' '" + m_folder.Path().string() +
                                "' >'" + m_folder.File("out") + "'";
    const auto run = [&] {
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(ReadBytes(m_folder.File("out")), "");

    Plant("src/core/Strings.h", "#pragma once\n#include <string>\n#include \"ui/Wnd.h\"\n");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(ReadBytes(m_folder.File("out")),
              "src/core/Strings.h:3: src/core may not include src/ui/Wnd.h\n");
}

TEST(IncludeMapTest, AMalformedMapIsRefusedNamingItsLine) {
    EXPECT_THROW(
        {
            try {
                IncludeMap::Parse("src/core:\n\nsrc/ui src/core\n");
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(),
                             "line 3 of the include map: \"src/ui src/core\" has no ':' after the folder");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_THROW(IncludeMap::Parse("src/core:\nsrc/core: src/ui\n"), std::runtime_error);
}

} // namespace
