// The device's look: screen size, bar heights, colours and fonts of the platform's own parts
// (caption bar, menu bar, input panel, popup menus, message boxes). Platform-internal.
#pragma once

#include "platform/ui/DeviceScreenSize.h"
#include "platform/ui/Geometry.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

namespace platform::look {

/// The device screen in logical pixels.
constexpr int kScreenWidth = kDeviceScreenWidth;
constexpr int kScreenHeight = kDeviceScreenHeight;
/// The caption bar at the top and the menu bar at the bottom.
constexpr int kCaptionBarHeight = 26;
constexpr int kMenuBarHeight = 26;
/// The on-screen keyboard, above the menu bar when raised.
constexpr int kInputPanelHeight = 80;
/// What is left for a screen between the bars.
constexpr int kScreenAreaHeight = kScreenHeight - kCaptionBarHeight - kMenuBarHeight;

/// Caption bar: a navy band lightening downwards, white bold caption, the OK button outlined.
const QColor kCaptionTop(0x0B, 0x24, 0x6B);
const QColor kCaptionBottom(0x2A, 0x4E, 0xA8);
const QColor kCaptionText(0xFF, 0xFF, 0xFF);
/// Menu bar: pale grey with a dark rule on top; a pressed button is navy with white text.
const QColor kBarFill(0xEC, 0xEC, 0xEC);
const QColor kBarRule(0x80, 0x80, 0x80);
const QColor kBarText(0x00, 0x00, 0x00);
const QColor kHighlight(0x0A, 0x24, 0x6A);
const QColor kHighlightText(0xFF, 0xFF, 0xFF);
const QColor kDisabledText(0x9A, 0x9A, 0x9A);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kInk(0x00, 0x00, 0x00);
/// Input panel keys: white keys with grey outlines on a grey tray.
const QColor kPanelFill(0xC8, 0xC8, 0xC8);
const QColor kKeyFill(0xFF, 0xFF, 0xFF);
const QColor kKeyOutline(0x70, 0x70, 0x70);

/// The cell height of the bar font: one line of a menu entry or a message.
constexpr int kBarFontCell = 13;

/// The device face at the pixel heights the platform's parts use.
QFont BarFont();     ///< menu bar and popup entries: 13-pixel cell, normal
QFont CaptionFont(); ///< caption: 13-pixel cell, bold
QFont KeyFont();     ///< input panel keys: 11-pixel cell

} // namespace platform::look
