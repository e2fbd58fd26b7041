// The question at the next open of a list whose unsaved changes were kept in a recovery copy (the
// program was killed, or the machine went down, while the list was being edited).
#pragma once

#include <string>

class CCorvinaDoc;
class DeviceStorage;

/// When the list at `listPath` of `device` has a recovery copy with changes its file lacks (an empty path:
/// the copy of a list that had no file yet), asks whether to restore them, naming the list by `name` and the
/// copy's time. Yes (the default) fills `document`, a new one, with the copy's items, with the list's own
/// path (or titled "Untitled" without one) and modified, and answers true. No removes the copy; like having
/// no copy, or a question closed unanswered (which keeps the copy), it answers false and leaves `document`
/// alone.
bool RestoreUnsavedChanges(const DeviceStorage& device, CCorvinaDoc& document, const std::u16string& listPath,
                           const std::u16string& name);
