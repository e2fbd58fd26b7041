// Changing every item of a list on its way from one file to another (or back into the same one),
// record by record, with the result a load, change and save of the tree would give.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

/// What happens to the items on the way.
struct ListRewrite {
    /// The flag every item gets; each keeps its own when empty.
    std::optional<std::uint8_t> checked;
    /// Every checked item is left out with its whole subtree (decided on the flag as read).
    bool dropChecked = false;
};

/// Reads the list at `source` and saves it, changed by `rewrite`, safely to `target` as version 3.
/// A list that does not load is not written; a failure is reported as loading or saving the tree
/// reports it. False after a failure.
bool RewriteList(const std::u16string& source, const std::u16string& target, const ListRewrite& rewrite);
