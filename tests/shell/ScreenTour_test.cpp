// Scripted tours of the real program: taps, typing and keys reach the screens through the same
// input paths as a user's, so what a tour types is saved exactly as if typed by hand; and a tour
// always ends, answering a question left open No so that leaving saves nothing.
#include "support/DeviceRootFixture.h"

#include "platform/storage/Registry.h"
#include "platform/ui/KeyNames.h"
#include "platform/ui/Resources.h"
#include "shell/CorvinaApp.h"
#include "support/ListBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace list_bytes;
using Kind = ScreenTourStep::Kind;

// Device-screen points of the buttons and menu entries the tours use.
const CPoint kNewButton(20, 310);
const CPoint kCreateNewListEntry(60, 268);
const CPoint kAddItemTool(87, 307);
const CPoint kCaptionOk(222, 13);
const CPoint kListButton(16, 307);
const CPoint kSaveAsEntry(40, 267);
const CPoint kCloseEntry(30, 284);

ScreenTourStep Tap(CPoint point) {
    return {Kind::Tap, point, 0, {}};
}
ScreenTourStep Key(const char* name) {
    return {Kind::Key, {}, VirtualKeyFromName(name), {}};
}
/// A key combination written as the tour's --key takes it.
ScreenTourStep Keys(const char* text) {
    const std::optional<KeyCombination> combination = KeyCombinationFromText(text);
    EXPECT_TRUE(combination.has_value()) << text;
    return {Kind::Key,
            {},
            combination ? combination->virtualKey : 0,
            {},
            combination ? combination->modifiers : 0};
}
ScreenTourStep Type(std::u16string text) {
    return {Kind::Type, {}, 0, std::move(text)};
}

class ScreenTourTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
        MakeFolder(u"\\Apps\\Lists");
        ASSERT_EQ(WriteRegistryString(Device(), RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina",
                                      u"InstallDir", u"\\Apps"),
                  RegistryError::None);
    }

    /// Runs the program through `steps`; answers whether the picture was written once it ended.
    bool RunTour(std::vector<ScreenTourStep> steps) {
        CCorvinaApp app(Device());
        app.LoadShortcuts();
        app.SetScreenshot({std::move(steps), (m_root / "tour.png").string()});
        EXPECT_FALSE(app.InitInstance());
        return app.ScreenshotWritten();
    }

    std::vector<std::string> ListFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Host(u"\\Apps\\Lists"))) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::string Bytes(std::u16string_view devicePath) const {
        std::ifstream in(Host(devicePath), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    /// New, Add Item, the title typed, Tab to the quantity, its "1" erased and "3" typed, OK.
    static std::vector<ScreenTourStep> NewListWithMilk() {
        return {Tap(kNewButton), Tap(kCreateNewListEntry), Tap(kAddItemTool), Type(u"Milk & h\u00F6ney"),
                Key("Tab"),      Key("BackSpace"),         Type(u"3"),        Tap(kCaptionOk)};
    }
};

TEST_F(ScreenTourTest, TypedTitleQuantityAndNameAreSavedAsIfTypedByHand) {
    std::vector<ScreenTourStep> steps = NewListWithMilk();
    for (const ScreenTourStep& step :
         {Tap(kListButton), Tap(kSaveAsEntry), Type(u"Errands"), Tap(kCaptionOk)}) {
        steps.push_back(step);
    }
    EXPECT_TRUE(RunTour(steps));
    EXPECT_EQ(ListFiles(), std::vector<std::string>{"Errands.crv"});
    EXPECT_EQ(Bytes(u"\\Apps\\Lists\\Errands.crv"), Header(1) + RootItem() + U32(1) +
                                                        Item(Wide(u"Milk & h\u00F6ney"), 3, 0, 1) +
                                                        Wide(u"") + U32(0));
}

// The picture shows the save question; leaving answers it No, which ignores Escape, and the program
// ends with nothing written.
TEST_F(ScreenTourTest, ATourEndsThroughAnOpenQuestionAndSavesNothing) {
    std::vector<ScreenTourStep> steps = NewListWithMilk();
    steps.push_back(Tap(kListButton));
    steps.push_back(Tap(kCloseEntry));
    EXPECT_TRUE(RunTour(steps));
    EXPECT_TRUE(ListFiles().empty());
}

// Escape's own question can take the user back, so each Escape asks it again; the tour still ends,
// with nothing written.
TEST_F(ScreenTourTest, ATourEndsThroughEscapesQuestionAndSavesNothing) {
    std::vector<ScreenTourStep> steps = NewListWithMilk();
    steps.push_back(Key("Escape"));
    EXPECT_TRUE(RunTour(steps));
    EXPECT_TRUE(ListFiles().empty());
}

// Key combinations reach the editor as a keyboard's do: Insert adds, Ctrl+Z takes it back and Ctrl+Y
// does it again, and Ctrl+Shift+S saves under a typed name.
TEST_F(ScreenTourTest, KeyCombinationsReachTheCommandsAsAKeyboardsDo) {
    std::vector<ScreenTourStep> steps = {Tap(kNewButton),  Tap(kCreateNewListEntry), Keys("Insert"),
                                         Type(u"Milk"),    Tap(kCaptionOk),          Keys("Insert"),
                                         Type(u"Eggs"),    Tap(kCaptionOk),          Keys("Ctrl+Z"),
                                         Keys("Ctrl+Z"),   Keys("Ctrl+Y"),           Keys("Ctrl+Shift+S"),
                                         Type(u"Errands"), Tap(kCaptionOk)};
    EXPECT_TRUE(RunTour(steps));
    EXPECT_EQ(Bytes(u"\\Apps\\Lists\\Errands.crv"),
              Header(1) + RootItem() + U32(1) + Item(Wide(u"Milk"), 1, 0, 1) + Wide(u"") + U32(0));
}

} // namespace
