// Item paths: "Bread/Rye", with "\/" for a "/" inside a title.
#include "ItemPath.h"

#include "platform/core/Strings.h"

namespace {

constexpr char16_t kSeparator = u'/';
constexpr char16_t kEscape = u'\\';

} // namespace

std::vector<std::u16string> SplitItemPath(std::u16string_view path) {
    std::vector<std::u16string> titles(1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i];
        const bool escapes =
            unit == kEscape && i + 1 < path.size() && (path[i + 1] == kSeparator || path[i + 1] == kEscape);
        if (escapes) {
            titles.back() += path[++i];
        } else if (unit == kSeparator) {
            titles.emplace_back();
        } else {
            titles.back() += unit;
        }
    }
    return titles;
}

TaskNode& FindItem(TaskTree& tree, std::u16string_view path) {
    TaskNode* node = &tree.root;
    for (const std::u16string& title : SplitItemPath(path)) {
        TaskNode* found = nullptr;
        std::size_t matches = 0;
        for (TaskNode* child : node->Children()) {
            if (child->item.title == title) {
                found = child;
                ++matches;
            }
        }
        const std::string quoted = "\"" + ToUtf8(path) + "\"";
        if (matches == 0) {
            throw ItemPathFailure(quoted + " names no item: nothing is titled \"" + ToUtf8(title) +
                                  "\" there");
        }
        if (matches > 1) {
            throw ItemPathFailure(quoted + " is ambiguous: " + std::to_string(matches) +
                                  " items are titled \"" + ToUtf8(title) + "\" there");
        }
        node = found;
    }
    return *node;
}
