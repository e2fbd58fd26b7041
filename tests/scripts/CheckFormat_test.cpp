// scripts/check-format.sh on a planted tree: it lists exactly the C++ files that differ from the
// repo's .clang-format, in the folders it covers, and passes once they are mended.
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class CheckFormatScript : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_tree.Path() / "scripts");
        fs::copy_file(fs::path(CORVINA_SOURCE_DIR) / "scripts/check-format.sh",
                      m_tree.Path() / "scripts/check-format.sh");
        fs::copy_file(fs::path(CORVINA_SOURCE_DIR) / ".clang-format", m_tree.Path() / ".clang-format");
    }
    void Plant(const std::string& path, const std::string& text) {
        fs::create_directories((m_tree.Path() / path).parent_path());
        WriteBytes(m_tree.File(path), text);
    }
    /// Runs the script; answers its exit status and leaves its output in m_output.
    int Run() {
        const std::string command =
            "bash '" + m_tree.File("scripts/check-format.sh") + "' >'" + m_tree.File("out") + "' 2>&1";
        const int raw = std::system(command.c_str());
        m_output = ReadBytes(m_tree.File("out"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    TestFolder m_tree;
    std::string m_output;
};

constexpr const char* kFormatted = "int Answer(int question);\n";
constexpr const char* kMisformatted = "int  Answer( int question ) ;\n";

TEST_F(CheckFormatScript, ListsTheDifferingFilesOfTheCoveredFoldersAndPassesWhenMended) {
    Plant("src/model/Good.h", kFormatted);
    Plant("src/model/Bad.cpp", kMisformatted);
    Plant("res/Tables.cpp", kMisformatted);
    Plant("tests/model/Bad_test.cpp", kMisformatted);
    Plant("src/model/notes.txt", kMisformatted); // not C++
    Plant("docs/example.cpp", kMisformatted);    // not a covered folder

    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(m_output, "check-format: 3 of 4 files differ from .clang-format:\n"
                        "  res/Tables.cpp\n"
                        "  src/model/Bad.cpp\n"
                        "  tests/model/Bad_test.cpp\n");

    for (const char* mended : {"src/model/Bad.cpp", "res/Tables.cpp", "tests/model/Bad_test.cpp"}) {
        Plant(mended, kFormatted);
    }
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(m_output, "check-format: 4 files as .clang-format has them\n");
}

} // namespace
