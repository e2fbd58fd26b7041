// Reading a list's JSON with the fast parser straight into list records, for the JSON that export
// writes; the JSON library's reader stays the rule, and reads whatever this one is not sure of.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "JsonItemBatches.h"
#include "model/ListRecordReader.h"

/// Reads the list `source` gives as JSON and hands `take` every item's record in pre-order (depth 1
/// for a top-level item), with its child count. Takes only text that `ReadListFromJson` reads, to
/// the very same items; anything else (broken JSON, a field against the rules, a value the two
/// parsers might read apart, nesting too deep for the fast parser) answers false at once. The
/// records handed out so far are then to be dropped, and `ReadListFromJson` tells what is wrong.
bool ReadListRecordsFromJson(const JsonItemBatches::Source& source,
                             const std::function<void(const ListRecord&)>& take,
                             std::size_t blockBytes = JsonItemBatches::kDefaultBlockBytes);

/// Saves the list that `source` gives as JSON to `path` as `SaveList` saves the tree
/// `ReadListFromJson` makes of it, record by record with no tree. False, with nothing written and
/// nothing reported, when `ReadListRecordsFromJson` refuses the text or anything fails: the caller
/// then takes the slower road, which reports what is wrong.
bool SaveListFromJson(const JsonItemBatches::Source& source, const std::u16string& path);
