// A list document as tab-separated text: its items written in pre-order with their depths, and items
// read back into its tree.
#pragma once

class CCorvinaDoc;
class TextFile;

/// Writes every item of `doc` as one tab-separated line, in pre-order. Title, path and modified flag
/// do not change.
void ExportText(const CCorvinaDoc& doc, TextFile& file);
/// Appends the items of a tab-separated text to the tree of `doc`, stopping quietly at the first
/// record that cannot be read whole.
void ImportText(CCorvinaDoc& doc, TextFile& file);
