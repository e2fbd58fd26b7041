// Running the built corvina-tool as a user does: a command line, optional standard input, and the
// exit status, standard output and standard error it gave, in a test's own folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/TestFolder.h"

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

class CorvinaToolTest : public ::testing::Test {
protected:
    /// Runs `corvina-tool ARGUMENTS` (shell words, quoted by the caller) with `input` on standard input.
    ToolRun Run(const std::string& arguments, const std::string& input = "") {
        WriteBytes(folder.File("stdin"), input);
        const std::string command = std::string("'") + CORVINA_TOOL_PATH + "' " + arguments + " <'" +
                                    folder.File("stdin") + "' >'" + folder.File("stdout") + "' 2>'" +
                                    folder.File("stderr") + "'";
        const int raw = std::system(command.c_str());
        ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(folder.File("stdout")),
                    ReadBytes(folder.File("stderr"))};
        for (const char* name : {"stdin", "stdout", "stderr"}) {
            std::remove(folder.File(name).c_str());
        }
        return run;
    }
    /// The path of `name` in the test's folder, quoted for the shell.
    std::string Quoted(const std::string& name) { return "'" + folder.File(name) + "'"; }
    /// What `show` prints for the list `name`.
    std::string Shown(const std::string& name) { return Run("show " + Quoted(name)).out; }

    TestFolder folder;
};
