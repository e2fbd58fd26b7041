// The commands that pass over a list record by record (check, uncheck, purge-checked, copy and
// progress) against the plain rule: load the tree, change it, save it. Generated lists in every form
// a file may hold, and damaged ones, must give the same bytes, the same messages and the same answer.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "ToolRunner.h"
#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/Strings.h"
#include "support/ListBytes.h"
#include "tools/ListJson.h"
#include "tools/ListMarkdown.h"
#include "tools/ToolCommands.h"

namespace {

using namespace list_bytes;

struct Outcome {
    int status;
    std::string bytes;    ///< the target file afterwards ("" when there is none)
    std::string messages; ///< everything reported, one line each
};

class StreamedCommandsTest : public CorvinaToolTest {
protected:
    /// Runs `command` in process on a fresh copy of `list` and says what came of it.
    Outcome Streamed(int (*command)(const ToolArguments&), const std::string& list, bool copy, bool uncheck) {
        WriteBytes(folder.File("in.crv"), list);
        std::remove(folder.File("out.crv").c_str());
        std::vector<std::string> words{folder.File("in.crv")};
        if (copy) {
            words.push_back(folder.File("out.crv"));
            if (uncheck) {
                words.emplace_back("--uncheck");
            }
        }
        const std::vector<std::string_view> views(words.begin(), words.end());
        const std::size_t operands = copy ? 2 : 1;
        Outcome outcome{};
        {
            const ScopedErrorReportHandler capture([&outcome](std::u16string_view message, MessageIcon) {
                outcome.messages += ToUtf8(message) + "\n";
            });
            outcome.status =
                command(ToolArguments(views, {operands, operands, {}, {"--uncheck", "--force"}}));
        }
        const std::string target = folder.File(copy ? "out.crv" : "in.crv");
        outcome.bytes = std::filesystem::exists(target) ? ReadBytes(target) : "";
        return outcome;
    }

    /// The rule itself: the tree loaded, changed by `change` and saved.
    template <class Change> Outcome ByTheTree(const std::string& list, bool copy, Change&& change) {
        WriteBytes(folder.File("in.crv"), list);
        std::remove(folder.File("out.crv").c_str());
        Outcome outcome{};
        const ScopedErrorReportHandler capture([&outcome](std::u16string_view message, MessageIcon) {
            outcome.messages += ToUtf8(message) + "\n";
        });
        CCorvinaDoc doc;
        const std::u16string target = folder.WideFile(copy ? "out.crv" : "in.crv");
        if (doc.OnOpenDocument(folder.WideFile("in.crv"))) {
            change(doc.tree);
            outcome.status = doc.OnSaveDocument(target) ? 0 : 1;
        } else {
            outcome.status = 1;
        }
        const std::string path = folder.File(copy ? "out.crv" : "in.crv");
        outcome.bytes = std::filesystem::exists(path) ? ReadBytes(path) : "";
        return outcome;
    }

    void ExpectSameAsTheTree(const std::string& list, const std::string& what) {
        const auto setAll = [](std::uint8_t checked) {
            return [checked](TaskTree& tree) {
                tree.Walk([checked](TaskNode& node, std::size_t) { node.item.checked = checked; });
            };
        };
        const auto same = [&what](const Outcome& streamed, const Outcome& tree, const char* command) {
            EXPECT_EQ(streamed.status, tree.status) << command << " on " << what;
            EXPECT_EQ(streamed.messages, tree.messages) << command << " on " << what;
            EXPECT_TRUE(streamed.bytes == tree.bytes) << command << " on " << what << ": the files differ";
        };
        same(Streamed(RunCheck, list, false, false), ByTheTree(list, false, setAll(1)), "check");
        same(Streamed(RunUncheck, list, false, false), ByTheTree(list, false, setAll(0)), "uncheck");
        same(Streamed(RunPurgeChecked, list, false, false),
             ByTheTree(list, false,
                       [](TaskTree& tree) {
                           tree.DeleteWhere([](const TaskItem& item) { return item.checked != 0; });
                       }),
             "purge-checked");
        same(Streamed(RunCopy, list, true, false), ByTheTree(list, true, [](TaskTree&) {}), "copy");
        same(Streamed(RunCopy, list, true, true), ByTheTree(list, true, setAll(0)), "copy --uncheck");

        WriteBytes(folder.File("in.crv"), list);
        CCorvinaDoc doc;
        std::string expected;
        {
            const ScopedErrorReportHandler quiet([](std::u16string_view, MessageIcon) {});
            if (doc.OnOpenDocument(folder.WideFile("in.crv"))) {
                std::size_t checked = 0;
                doc.tree.Walk(
                    [&checked](const TaskNode& node, std::size_t) { checked += node.item.checked; });
                expected = "in " + std::to_string(checked) + "/" + std::to_string(doc.tree.Count()) + "\n";
            }
        }
        const ToolRun progress = Run("progress '" + folder.File("in.crv") + "'");
        EXPECT_EQ(progress.out, expected) << "progress on " << what;
        EXPECT_EQ(progress.status, expected.empty() ? 1 : 0) << "progress on " << what;

        // The exports write as they read: what the tree gives, or nothing at all from a damaged list.
        const bool loaded = !expected.empty();
        for (const auto& [format, text] :
             {std::pair{"json", loaded ? FormatListAsJson(doc, u"in") : ""},
              std::pair{"markdown", loaded ? FormatListAsMarkdown(doc, u"in") : ""}}) {
            std::remove(folder.File("out.txt").c_str());
            const ToolRun exported = Run("export '" + folder.File("in.crv") + "' '" + folder.File("out.txt") +
                                         "' --format " + format);
            EXPECT_EQ(exported.status, progress.status) << format << " export of " << what;
            EXPECT_EQ(exported.err, progress.err) << format << " export of " << what;
            EXPECT_EQ(std::filesystem::exists(folder.File("out.txt")), loaded)
                << format << " export of " << what;
            if (loaded) {
                EXPECT_TRUE(ReadBytes(folder.File("out.txt")) == text) << format << " export of " << what;
            }
        }
        const ToolRun printed = Run("export '" + folder.File("in.crv") + "' - --format json");
        EXPECT_EQ(printed.status, progress.status) << "json export to standard output of " << what;
        EXPECT_TRUE(printed.out == (loaded ? FormatListAsJson(doc, u"in") : "")) << "json export of " << what;
        const ToolRun shown = Run("show '" + folder.File("in.crv") + "'");
        EXPECT_EQ(shown.status, progress.status) << "show of " << what;
        if (!loaded) {
            EXPECT_EQ(shown.out, "") << "show of " << what;
        } else if (doc.tree.Count() == 0) {
            EXPECT_EQ(shown.out, "in: No items\n") << "show of " << what;
        }
    }
};

// A random list saved as the program saves it: titles and notes of every length form (one-byte,
// 16-bit and 32-bit lengths), every flag and importance, nesting of any shape.
std::string RandomSavedList(std::mt19937& random, const TestFolder& folder, int items) {
    const std::vector<std::size_t> lengths{0, 1, 12, 254, 255, 300};
    CCorvinaDoc doc;
    std::vector<TaskNode*> nodes{nullptr};
    for (int i = 0; i < items; ++i) {
        TaskItem item;
        item.title =
            std::u16string(lengths[random() % lengths.size()], static_cast<char16_t>(u'a' + random() % 26));
        if (random() % 3 == 0) {
            item.notes = std::u16string(lengths[random() % lengths.size()], u'\u00E9');
        }
        item.quantity = static_cast<std::uint32_t>(random());
        item.importance = static_cast<std::int32_t>(random() % 5) - 1;
        item.checked = static_cast<std::uint8_t>(random() % 2);
        nodes.push_back(doc.tree.AddItem(item, nodes[random() % nodes.size()]));
    }
    if (!doc.OnSaveDocument(folder.WideFile("random.crv"))) {
        return {};
    }
    return ReadBytes(folder.File("random.crv"));
}

TEST_F(StreamedCommandsTest, RandomSavedListsGiveWhatTheTreeGives) {
    std::mt19937 random(2026);
    for (int list = 0; list < 12; ++list) {
        ExpectSameAsTheTree(RandomSavedList(random, folder, list * 7), "saved list " + std::to_string(list));
    }
    // Long enough that its records cross many read-ahead blocks and write blocks, with a title whose
    // length takes 32 bits.
    CCorvinaDoc big;
    for (int i = 0; i < 6000; ++i) {
        TaskItem item;
        item.title = std::u16string(i == 3000 ? 70000 : 20, u'x');
        item.checked = static_cast<std::uint8_t>(i % 3 == 0);
        big.tree.AddItem(item, i % 4 == 0 || big.tree.Count() == 0 ? nullptr : big.tree.root.lastChild);
    }
    ASSERT_TRUE(big.OnSaveDocument(folder.WideFile("big.crv")));
    ExpectSameAsTheTree(ReadBytes(folder.File("big.crv")), "the big list");
}

TEST_F(StreamedCommandsTest, OlderAndOddFormsGiveWhatTheTreeGives) {
    // Version 2 with 8-bit titles and no notes; a checked value of 7; a negative child count; a
    // narrow title in a version 3 file; bytes after the last record; an empty file.
    const std::string version2 = U32(2) + RootItem(false) + U32(2) + Item(Narrow("Tea"), 1, 7, 1) + U32(1) +
                                 Item(Narrow("Caf\xE9"), 3, 0, 2) + U32(0) + Item(Narrow("Milk"), 2, 1, 0) +
                                 U32(0);
    const std::string odd = Header(9) + RootItem() + U32(2) + Item(Wide(u"A"), 1, 7, 1) + Wide(u"n") +
                            U32(0xFFFFFFFF) + Item(Narrow("B"), 5, 0, 9) + Wide(u"") + U32(0) + "trailing";
    ExpectSameAsTheTree(version2, "a version 2 list");
    ExpectSameAsTheTree(odd, "a list in odd forms");
    ExpectSameAsTheTree("", "an empty file");
    ExpectSameAsTheTree(U32(1), "a file cut inside its header");
}

TEST_F(StreamedCommandsTest, DamagedListsAreNeverWritten) {
    std::mt19937 random(16);
    for (int round = 0; round < 24; ++round) {
        std::string list = RandomSavedList(random, folder, 30);
        if (round % 2 == 0) {
            list.resize(random() % list.size()); // cut anywhere
        } else {
            list[random() % list.size()] = static_cast<char>(random()); // a byte changed anywhere
        }
        ExpectSameAsTheTree(list, "damaged list " + std::to_string(round));
    }
}

} // namespace
