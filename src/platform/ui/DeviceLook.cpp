// The fonts of the platform's own parts.
#include "platform/ui/DeviceLook.h"

#include "platform/ui/DCBridge.h"
#include "platform/ui/Font.h"

namespace platform::look {
namespace {
constexpr int kBarFontCell = 13;
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

void DrawHeavyText(QPainter& painter, const QRect& rect, int flags, const QString& text) {
    painter.drawText(rect, flags, text);
    painter.drawText(rect.translated(1, 0), flags, text);
}

} // namespace platform::look
