// One line of text as the device measures and draws it: its width is the sum of its characters'
// advances in the font's table, and each character is drawn where that sum puts it, with no kerning,
// so what is drawn is exactly as wide as what was measured. Platform-internal (includes Qt).
#pragma once

#include "platform/ui/CharAdvances.h"

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <string>
#include <string_view>

/// The advance table of `font`, shared by every font of the same face, size, weight and style, and
/// kept for the life of the process (a program uses a handful of fonts).
CharAdvances& AdvancesOf(const QFont& font);

/// The width of `text` as one line in `font`.
int TextWidth(const QFont& font, std::u16string_view text);

/// `text` cut to fit `width` pixels in `font`, ending in an ellipsis when it was cut (only the
/// ellipsis when not even one character fits with it).
std::u16string ElidedText(const QFont& font, std::u16string_view text, int width);

/// Draws one line in the painter's font and pen with its baseline starting at `baseline`: each
/// character at the sum of the advances before it. Characters the face lacks are drawn by the font
/// engine's fallback at their own place. The font engine thickens the device face for bold only
/// when it draws 1:1; on an enlarged window a bold line is struck a second time one device pixel to
/// the right, so bold still reads as bold.
void DrawTextLine(QPainter& painter, QPoint baseline, std::u16string_view text);

/// The same for a line placed in `rect` by Qt alignment `flags` (left, right or horizontally
/// centred; top, bottom or vertically centred), with its measured width.
void DrawTextLine(QPainter& painter, const QRect& rect, int flags, std::u16string_view text);
