// Measuring and drawing one line of text character by character, from each font's advance table.
#include "platform/ui/qt/TextLine.h"

#include "platform/ui/qt/QtText.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QPaintDevice>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr std::u16string_view kEllipsis = u"\u2026";

/// A character the face has no glyph for, drawn by the font engine's fallback at its own place.
struct FallbackCharacter {
    std::size_t at = 0;
    std::size_t units = 1;
    int x = 0;
};

/// The face's glyph for the character `text[at, at + units)`, or 0 when the face has none.
quint32 GlyphOf(const QRawFont& face, std::u16string_view text, std::size_t at, std::size_t units) {
    if (!face.isValid()) {
        return 0;
    }
    quint32 glyph = 0;
    int glyphs = 1;
    const auto* characters = reinterpret_cast<const QChar*>(text.data() + at);
    if (!face.glyphIndexesForChars(characters, static_cast<int>(units), &glyph, &glyphs) || glyphs != 1) {
        return 0;
    }
    return glyph;
}

/// Where a bold line needs its second stroke: nowhere when the font engine draws 1:1 and thickens
/// the strokes itself, else one device pixel to the right.
std::optional<QPointF> SecondBoldStroke(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const qreal ratio = device != nullptr ? device->devicePixelRatioF() : 1.0;
    if (painter.font().weight() < QFont::Bold || ratio <= 1.0) {
        return std::nullopt;
    }
    return QPointF(1.0 / ratio, 0.0);
}

/// Draws the glyphs the face has as one run, each at its place, and the others one by one.
void StrikeLine(QPainter& painter, QPointF baseline, std::u16string_view text) {
    const QFont& font = painter.font();
    CharAdvances& advances = AdvancesOf(font);
    const QRawFont face = QRawFont::fromFont(font);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    std::vector<FallbackCharacter> fallbacks;
    int x = 0;
    for (std::size_t at = 0; at < text.size();) {
        const CharAdvances::Character character = advances.At(text, at);
        if (const quint32 glyph = GlyphOf(face, text, at, character.units); glyph != 0) {
            glyphs.push_back(glyph);
            positions.push_back(QPointF(x, 0));
        } else {
            fallbacks.push_back({at, character.units, x});
        }
        x += character.advance;
        at += character.units;
    }
    if (!glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(face);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        run.setUnderline(font.underline());
        run.setStrikeOut(font.strikeOut());
        painter.drawGlyphRun(baseline, run);
    }
    for (const FallbackCharacter& fallback : fallbacks) {
        painter.drawText(baseline + QPointF(fallback.x, 0),
                         ToQString(text.substr(fallback.at, fallback.units)));
    }
}

} // namespace

CharAdvances& AdvancesOf(const QFont& font) {
    // Never destroyed: the tables hold fonts, which must not outlive the font engine at exit.
    static auto* const tables = new std::map<QString, std::unique_ptr<CharAdvances>>();
    const QString key = font.key();
    auto found = tables->find(key);
    if (found == tables->end()) {
        // A character alone has no neighbour to kern with or to form a ligature with: its advance is
        // the face's own, rounded to whole pixels as the device's are.
        auto table = std::make_unique<CharAdvances>([font](std::u16string_view character) {
            return qRound(QFontMetricsF(font).horizontalAdvance(ToQString(character)));
        });
        found = tables->emplace(key, std::move(table)).first;
    }
    return *found->second;
}

int TextWidth(const QFont& font, std::u16string_view text) {
    return AdvancesOf(font).Width(text);
}

std::u16string ElidedText(const QFont& font, std::u16string_view text, int width) {
    CharAdvances& advances = AdvancesOf(font);
    if (advances.Width(text) <= width) {
        return std::u16string(text);
    }
    const int room = width - advances.Width(kEllipsis);
    int used = 0;
    std::size_t kept = 0;
    while (kept < text.size()) {
        const CharAdvances::Character character = advances.At(text, kept);
        if (used + character.advance > room) {
            break;
        }
        used += character.advance;
        kept += character.units;
    }
    return std::u16string(text.substr(0, kept)) + std::u16string(kEllipsis);
}

void DrawTextLine(QPainter& painter, QPoint baseline, std::u16string_view text) {
    if (text.empty()) {
        return;
    }
    StrikeLine(painter, baseline, text);
    if (const auto offset = SecondBoldStroke(painter)) {
        StrikeLine(painter, QPointF(baseline) + *offset, text);
    }
}

void DrawTextLine(QPainter& painter, const QRect& rect, int flags, std::u16string_view text) {
    const QFontMetrics metrics(painter.font());
    const int width = TextWidth(painter.font(), text);
    int left = rect.left();
    if ((flags & Qt::AlignHCenter) != 0) {
        left = rect.left() + (rect.width() - width) / 2;
    } else if ((flags & Qt::AlignRight) != 0) {
        left = rect.left() + rect.width() - width;
    }
    int top = rect.top();
    if ((flags & Qt::AlignVCenter) != 0) {
        top = rect.top() + (rect.height() - metrics.height()) / 2;
    } else if ((flags & Qt::AlignBottom) != 0) {
        top = rect.top() + rect.height() - metrics.height();
    }
    DrawTextLine(painter, QPoint(left, top + metrics.ascent()), text);
}
