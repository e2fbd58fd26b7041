// Reading a whole node record of a list file straight out of the bytes the archive read ahead.
#pragma once

#include <cstdint>

class CArchive;
class TaskItem;
class TextArena;

/// Reads the node record at the archive's position (the item of `version`, then its child count)
/// into `item` and `childCount` when it lies whole in the bytes read ahead and its strings are in
/// the wide form with short lengths, as every save writes them; texts go into `arena`. Answers false,
/// having taken nothing, otherwise: the archive's own reads then take the record, with the same
/// result. So a list loads at the speed of copying, and a damaged or old file still reads exactly.
bool ReadBufferedRecord(CArchive& archive, int version, TaskItem& item, std::int32_t& childCount,
                        TextArena& arena);
