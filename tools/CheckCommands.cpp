// corvina-tool's commands over the checked flags of one list: check, uncheck and purge-checked.
#include "ToolCommands.h"
#include "ToolLists.h"
#include "model/CorvinaDoc.h"

namespace {

constexpr std::uint8_t kChecked = 1;
constexpr std::uint8_t kUnchecked = 0;

// Loads the list, changes it and saves it where it was; a list that did not load is left alone.
template <class Change> int ChangeList(const std::u16string& path, Change&& change) {
    CCorvinaDoc doc;
    if (!LoadList(doc, path)) {
        return kExitFailure;
    }
    change(doc.tree);
    return SaveList(doc, path) ? kExitSuccess : kExitFailure;
}

int SetEveryCheckedFlag(const ToolArguments& arguments, std::uint8_t checked) {
    return ChangeList(arguments.Operand(0), [checked](TaskTree& tree) {
        tree.Walk([checked](TaskNode& node, std::size_t) { node.item.checked = checked; });
    });
}

} // namespace

int RunCheck(const ToolArguments& arguments) {
    return SetEveryCheckedFlag(arguments, kChecked);
}

int RunUncheck(const ToolArguments& arguments) {
    return SetEveryCheckedFlag(arguments, kUnchecked);
}

int RunPurgeChecked(const ToolArguments& arguments) {
    return ChangeList(arguments.Operand(0), [](TaskTree& tree) {
        tree.DeleteWhere([](const TaskItem& item) { return item.checked != 0; });
    });
}
