// The program's keyboard shortcut table: a plain Enter opens, wherever the focus is.
#include "res/ProgramTables.h"
#include "res/ResourceIds.h"

namespace {

constexpr AcceleratorEntry kShortcuts[] = {
    {FVIRTKEY, VK_RETURN, ID_FILE_OPEN},
};

constexpr AcceleratorTable kTables[] = {
    {IDR_ACCELERATORS, kShortcuts},
};

} // namespace

std::span<const AcceleratorTable> ProgramAccelerators() {
    return kTables;
}
