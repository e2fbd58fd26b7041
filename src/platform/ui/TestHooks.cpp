// The current stand-ins for the user at message boxes and popup menus (none outside tests).
#include "platform/ui/TestHooks.h"

namespace platform {
namespace {
MenuHook& MenuHookSlot() {
    static MenuHook hook;
    return hook;
}
MessageBoxHook& MessageBoxHookSlot() {
    static MessageBoxHook hook;
    return hook;
}
} // namespace

void SetMenuHook(MenuHook hook) {
    MenuHookSlot() = std::move(hook);
}
const MenuHook& CurrentMenuHook() {
    return MenuHookSlot();
}
void SetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHookSlot() = std::move(hook);
}
const MessageBoxHook& CurrentMessageBoxHook() {
    return MessageBoxHookSlot();
}

} // namespace platform
