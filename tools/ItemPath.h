// Naming an item from the command line by the titles on the way down to it.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "model/TaskTree.h"

/// A path that names no item, or more than one; the message names the path.
class ItemPathFailure : public std::runtime_error {
public:
    explicit ItemPathFailure(const std::string& reason) : std::runtime_error(reason) {}
};

/// The titles of `path` from the top: they are joined by "/", a "/" inside a title is written "\/"
/// and a backslash that ends a title (or stands before "/" or "\") is written "\\"; any other
/// backslash is taken as it is.
std::vector<std::u16string> SplitItemPath(std::u16string_view path);

/// The one item `path` names in `tree`, each title matched exactly among the children of the item
/// before it. Throws `ItemPathFailure` when a title matches no child or several.
TaskNode& FindItem(TaskTree& tree, std::u16string_view path);
