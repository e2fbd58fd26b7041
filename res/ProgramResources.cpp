// Gathers the program's resource tables for installation into the platform.
#include "res/ProgramTables.h"

const ResourceTables& ProgramResources() {
    static const ResourceTables tables{ProgramStrings(), ProgramDialogs(), ProgramMenus(), ProgramMenuBars(),
                                       ProgramAccelerators()};
    return tables;
}

void InstallProgramResources() {
    InstallResources(ProgramResources());
}
