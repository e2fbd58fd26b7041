// corvina-tool's commands over the checked flags of one list: check, uncheck and purge-checked.
#include "ListRewrite.h"
#include "ToolCommands.h"

namespace {

constexpr std::uint8_t kChecked = 1;
constexpr std::uint8_t kUnchecked = 0;

// The list is saved where it was; a list that did not load is left alone.
int ChangeList(const std::u16string& path, const ListRewrite& rewrite) {
    return RewriteList(path, path, rewrite) ? kExitSuccess : kExitFailure;
}

} // namespace

int RunCheck(const ToolArguments& arguments) {
    return ChangeList(arguments.Operand(0), {.checked = kChecked});
}

int RunUncheck(const ToolArguments& arguments) {
    return ChangeList(arguments.Operand(0), {.checked = kUnchecked});
}

int RunPurgeChecked(const ToolArguments& arguments) {
    return ChangeList(arguments.Operand(0), {.checked = std::nullopt, .dropChecked = true});
}
