// The fonts of the platform's own parts.
#include "platform/ui/qt/DeviceLook.h"

#include "platform/ui/Font.h"
#include "platform/ui/qt/DCBridge.h"

namespace platform::look {
namespace {
constexpr int kKeyFontCell = 11;
} // namespace

QFont BarFont() {
    return MakeDeviceFont(kDeviceFaceName, kBarFontCell, FW_NORMAL);
}
QFont CaptionFont() {
    return MakeDeviceFont(kDeviceFaceName, kBarFontCell, FW_BOLD);
}
QFont KeyFont() {
    return MakeDeviceFont(kDeviceFaceName, kKeyFontCell, FW_NORMAL);
}

} // namespace platform::look
