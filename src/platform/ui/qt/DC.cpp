// The drawing context over QPainter: fills, copies, lines, frames and text on a surface.
#include "platform/ui/DC.h"

#include "platform/ui/qt/DCState.h"
#include "platform/ui/qt/TextLine.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
/// The device's default text size for a context that has no font selected.
constexpr int kDefaultFontCellHeight = 13;
/// The prefix character that marks an access letter in text drawn without DT_NOPREFIX.
constexpr char16_t kPrefixChar = u'&';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kSpace = u' ';

/// "&x" draws x, "&&" draws one ampersand; a lone ampersand at the end is dropped.
std::u16string WithoutPrefixes(std::u16string_view text) {
    std::u16string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != kPrefixChar) {
            shown.push_back(text[i]);
            continue;
        }
        if (i + 1 < text.size()) {
            shown.push_back(text[++i]);
        }
    }
    return shown;
}

/// The text's lines, split at line feeds (a carriage return before one is dropped).
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(kLineFeed, start);
        std::u16string_view line =
            text.substr(start, end == std::u16string_view::npos ? text.size() - start : end - start);
        if (!line.empty() && line.back() == kCarriageReturn) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        if (end == std::u16string_view::npos) {
            return lines;
        }
        start = end + 1;
    }
}

/// Breaks one line between words so that each piece fits `width`; a word wider than `width` gets a
/// line of its own. Spaces at a break are dropped.
std::vector<std::u16string_view> BreakWords(std::u16string_view line, int width, CharAdvances& advances) {
    std::vector<std::u16string_view> pieces;
    while (!line.empty()) {
        std::size_t fitEnd = 0; // end of the longest run of whole words that fits
        std::size_t searchFrom = 0;
        while (true) {
            const std::size_t space = line.find(kSpace, searchFrom);
            const std::size_t candidate = space == std::u16string_view::npos ? line.size() : space;
            if (fitEnd > 0 && advances.Width(line.substr(0, candidate)) > width) {
                break;
            }
            fitEnd = candidate; // the first word is taken even when it is too wide
            if (space == std::u16string_view::npos) {
                break;
            }
            searchFrom = space + 1;
        }
        pieces.push_back(line.substr(0, fitEnd));
        line.remove_prefix(fitEnd);
        while (!line.empty() && line.front() == kSpace) {
            line.remove_prefix(1);
        }
    }
    if (pieces.empty()) {
        pieces.push_back(line);
    }
    return pieces;
}

/// The part of `source` a block copy reads, clipped to the image, and where it lands.
struct ClippedCopy {
    QRect source;
    QPoint target;
};

ClippedCopy ClipToImage(const QImage& image, int x, int y, int xSrc, int ySrc, int width, int height) {
    const QRect wanted(xSrc, ySrc, width, height);
    const QRect source = wanted & image.rect();
    return {source, QPoint(x + source.left() - xSrc, y + source.top() - ySrc)};
}

/// The source block scaled to the target size, each target pixel taking its nearest source pixel.
QImage ScaledBlock(const QImage& image, int xSrc, int ySrc, int srcWidth, int srcHeight, int width,
                   int height) {
    const QImage block = image.copy(xSrc, ySrc, srcWidth, srcHeight);
    if (block.width() == width && block.height() == height) {
        return block;
    }
    return block.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

/// The block with every pixel of the key colour made fully transparent.
QImage KeyedOut(const QImage& block, COLORREF key) {
    QImage keyed = block.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & RGB_MASK;
    for (int row = 0; row < keyed.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(keyed.scanLine(row));
        for (int column = 0; column < keyed.width(); ++column) {
            if ((pixels[column] & RGB_MASK) == keyRgb) {
                pixels[column] = 0;
            }
        }
    }
    return keyed;
}

} // namespace

// --- Pens and brushes ---------------------------------------------------------------------------------

bool CPen::CreatePen(int style, int width, COLORREF colour) {
    m_created = style == PS_SOLID && (width == 0 || width == 1);
    m_colour = colour;
    return m_created;
}

bool CBrush::CreateSolidBrush(COLORREF colour) {
    m_created = true;
    m_colour = colour;
    return true;
}

// --- Life ------------------------------------------------------------------------------------------------

CDC::CDC() : m_state(std::make_unique<DCState>()) {
    m_state->defaultPen.CreatePen(PS_SOLID, 1, kBlack);
}

CDC::~CDC() {
    m_state->DropSurface();
}

CDC::CDC(CDC&& other) noexcept : m_state(std::move(other.m_state)) {
    other.m_state = std::make_unique<DCState>();
    other.m_state->defaultPen.CreatePen(PS_SOLID, 1, kBlack);
}

CDC& CDC::operator=(CDC&& other) noexcept {
    if (this != &other) {
        m_state->DropSurface();
        std::swap(m_state, other.m_state);
    }
    return *this;
}

bool CDC::CreateCompatibleDC(const CDC* /*other*/) {
    DCState& state = *m_state;
    state.DropSurface();
    if (!state.placeholder.CreateBitmap(1, 1)) {
        return false;
    }
    state.isMemory = true;
    state.target = DCState::Target::SelectedBitmap;
    state.selectedBitmap = &state.placeholder;
    state.surface = state.placeholder.Data();
    return true;
}

void CDC::DeleteDC() {
    m_state->DropSurface();
    m_state->isMemory = false;
    m_state->placeholder.DeleteObject();
    m_state->selectedFont = nullptr;
    m_state->fontKeep.reset();
    m_state->selectedPen = nullptr;
}

bool CDC::IsValid() const {
    return m_state->target != DCState::Target::None;
}

// --- Selection --------------------------------------------------------------------------------------------

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    DCState& state = *m_state;
    if (!state.isMemory || bitmap == nullptr || bitmap->IsNull()) {
        return nullptr;
    }
    CBitmap* previous = state.selectedBitmap != nullptr ? state.selectedBitmap : &state.placeholder;
    state.DropSurface();
    state.target = DCState::Target::SelectedBitmap;
    state.selectedBitmap = bitmap;
    state.surface = bitmap->Data();
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    if (font == nullptr || font->IsNull()) {
        return nullptr;
    }
    CFont* previous = GetCurrentFont();
    m_state->selectedFont = font;
    m_state->fontKeep = font->Data();
    return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (pen == nullptr || pen->IsNull()) {
        return nullptr;
    }
    CPen* previous = m_state->selectedPen != nullptr ? m_state->selectedPen : &m_state->defaultPen;
    m_state->selectedPen = pen;
    return previous;
}

CFont* CDC::GetCurrentFont() const {
    DCState& state = *m_state;
    if (state.selectedFont != nullptr) {
        return state.selectedFont;
    }
    if (state.defaultFont.IsNull()) {
        state.defaultFont.CreateFont(kDefaultFontCellHeight, FW_NORMAL, kDeviceFaceName);
    }
    return &state.defaultFont;
}

CSize CDC::GetSurfaceSize() const {
    if (m_state->target == DCState::Target::AttachedPainter) {
        return m_state->paintedSize;
    }
    const QImage* image = m_state->SurfaceImage();
    return image != nullptr ? CSize(image->width(), image->height()) : CSize();
}

// --- Colours and modes --------------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(m_state->textColour, colour);
}
COLORREF CDC::GetTextColor() const {
    return m_state->textColour;
}
COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(m_state->bkColour, colour);
}
COLORREF CDC::GetBkColor() const {
    return m_state->bkColour;
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return std::exchange(m_state->bkMode, mode);
}

// --- Fills, lines, frames -------------------------------------------------------------------------------

void CDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    m_state->bkColour = colour;
    if (QPainter* painter = m_state->Painter(); painter != nullptr && !rect.IsRectEmpty()) {
        painter->fillRect(ToQRect(rect), ToQColor(colour));
    }
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
    FillSolidRect(CRect(x, y, x + width, y + height), colour);
}

void CDC::FillRect(const CRect& rect, const CBrush* brush) {
    if (brush == nullptr || brush->IsNull() || rect.IsRectEmpty()) {
        return;
    }
    if (QPainter* painter = m_state->Painter()) {
        painter->fillRect(ToQRect(rect), ToQColor(brush->GetColor()));
    }
}

void CDC::FrameRect(const CRect& rect, const CBrush* brush) {
    if (brush != nullptr && !brush->IsNull()) {
        FrameRect(rect, brush->GetColor());
    }
}

void CDC::FrameRect(const CRect& rect, COLORREF colour) {
    QPainter* painter = m_state->Painter();
    if (painter == nullptr || rect.IsRectEmpty()) {
        return;
    }
    const QColor shade = ToQColor(colour);
    const int width = rect.Width();
    const int height = rect.Height();
    painter->fillRect(rect.left, rect.top, width, 1, shade);
    painter->fillRect(rect.left, rect.bottom - 1, width, 1, shade);
    painter->fillRect(rect.left, rect.top, 1, height, shade);
    painter->fillRect(rect.right - 1, rect.top, 1, height, shade);
}

CPoint CDC::MoveTo(int x, int y) {
    return std::exchange(m_state->position, CPoint(x, y));
}

bool CDC::LineTo(int x, int y) {
    const CPoint from = std::exchange(m_state->position, CPoint(x, y));
    QPainter* painter = m_state->Painter();
    if (painter == nullptr) {
        return false;
    }
    const CPen* pen = m_state->selectedPen != nullptr ? m_state->selectedPen : &m_state->defaultPen;
    const QColor shade = ToQColor(pen->GetColor());
    if (from.y == y) { // horizontal: the end pixel is left out
        const int left = x > from.x ? from.x : x + 1;
        painter->fillRect(left, y, std::abs(x - from.x), 1, shade);
        return true;
    }
    if (from.x == x) { // vertical
        const int top = y > from.y ? from.y : y + 1;
        painter->fillRect(x, top, 1, std::abs(y - from.y), shade);
        return true;
    }
    // Any other slope: step along the major axis, one pixel per step, stopping before the end.
    const int dx = std::abs(x - from.x);
    const int dy = -std::abs(y - from.y);
    const int stepX = from.x < x ? 1 : -1;
    const int stepY = from.y < y ? 1 : -1;
    int error = dx + dy;
    CPoint at = from;
    while (!(at.x == x && at.y == y)) {
        painter->fillRect(at.x, at.y, 1, 1, shade);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            at.x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            at.y += stepY;
        }
    }
    return true;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    if (QPainter* painter = m_state->Painter()) {
        painter->fillRect(x, y, 1, 1, ToQColor(colour));
    }
    return colour;
}

COLORREF CDC::GetPixel(int x, int y) const {
    const QImage* image = m_state->SurfaceImage();
    if (image == nullptr || !image->valid(x, y)) {
        return CLR_INVALID;
    }
    return FromQRgb(image->pixel(x, y));
}

// --- Copies
// -------------------------------------------------------------------------------------------------

bool CDC::BitBlt(int x, int y, int width, int height, const CDC* source, int xSrc, int ySrc) {
    if (source == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const QImage* image = source->m_state->SurfaceImage();
    QPainter* painter = m_state->Painter();
    if (image == nullptr || painter == nullptr) {
        return false;
    }
    const ClippedCopy copy = ClipToImage(*image, x, y, xSrc, ySrc, width, height);
    if (copy.source.isEmpty()) {
        return true;
    }
    // A context copying within itself reads a snapshot, so overlapping blocks come out whole; any
    // other source is read in place, which spares a copy of the block at every paint.
    if (image == m_state->SurfaceImage()) {
        painter->drawImage(copy.target, image->copy(copy.source));
    } else {
        painter->drawImage(copy.target, *image, copy.source);
    }
    return true;
}

bool CDC::StretchBlt(int x, int y, int width, int height, const CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight) {
    if (width == srcWidth && height == srcHeight) {
        return BitBlt(x, y, width, height, source, xSrc, ySrc);
    }
    if (source == nullptr || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) {
        return false;
    }
    const QImage* image = source->m_state->SurfaceImage();
    QPainter* painter = m_state->Painter();
    if (image == nullptr || painter == nullptr) {
        return false;
    }
    painter->drawImage(QPoint(x, y), ScaledBlock(*image, xSrc, ySrc, srcWidth, srcHeight, width, height));
    return true;
}

bool CDC::TransparentImage(int x, int y, int width, int height, const CBitmap& bitmap, int xSrc, int ySrc,
                           int srcWidth, int srcHeight, COLORREF transparentKey) {
    if (bitmap.IsNull() || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) {
        return false;
    }
    QPainter* painter = m_state->Painter();
    if (painter == nullptr) {
        return false;
    }
    const QImage block = ScaledBlock(BitmapImage(bitmap), xSrc, ySrc, srcWidth, srcHeight, width, height);
    painter->drawImage(QPoint(x, y), KeyedOut(block, transparentKey));
    return true;
}

// --- Text
// -------------------------------------------------------------------------------------------------------

CSize CDC::GetTextExtent(std::u16string_view text) const {
    const CFont& font = *GetCurrentFont();
    return {font.GetCharAdvances().Width(text), CellOf(font).height};
}

TEXTMETRIC CDC::GetTextMetrics() const {
    return GetCurrentFont()->GetTextMetrics();
}

int CDC::DrawText(std::u16string_view text, const CRect& rect, unsigned format) {
    CRect scratch = rect; // DT_CALCRECT measures into the copy; the caller's rectangle is const
    return DrawText(text, scratch, format);
}

int CDC::DrawText(std::u16string_view text, CRect& rect, unsigned format) {
    const QFont font = ToQFont(*GetCurrentFont());
    CharAdvances& advances = GetCurrentFont()->GetCharAdvances();
    const CellMetrics cell = CellOf(*GetCurrentFont());
    const std::u16string shown = (format & DT_NOPREFIX) != 0 ? std::u16string(text) : WithoutPrefixes(text);

    std::vector<std::u16string_view> lines;
    if ((format & DT_SINGLELINE) != 0) {
        lines.push_back(shown);
    } else {
        for (std::u16string_view line : SplitLines(shown)) {
            if ((format & DT_WORDBREAK) == 0) {
                lines.push_back(line);
                continue;
            }
            for (std::u16string_view piece : BreakWords(line, rect.Width(), advances)) {
                lines.push_back(piece);
            }
        }
    }
    const int lineHeight = cell.height;
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if ((format & DT_CALCRECT) != 0) {
        int widest = 0;
        for (std::u16string_view line : lines) {
            widest = std::max(widest, advances.Width(line));
        }
        rect.right = rect.left + widest;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }

    QPainter* painter = m_state->Painter();
    if (painter == nullptr) {
        return 0;
    }
    int top = rect.top;
    if ((format & DT_SINGLELINE) != 0 && (format & DT_VCENTER) != 0) {
        top = rect.top + (rect.Height() - lineHeight) / 2;
    } else if ((format & DT_SINGLELINE) != 0 && (format & DT_BOTTOM) != 0) {
        top = rect.bottom - lineHeight;
    }

    painter->save();
    if ((format & DT_NOCLIP) == 0) {
        painter->setClipRect(ToQRect(rect), Qt::IntersectClip);
    }
    painter->setFont(font);
    painter->setPen(ToQColor(m_state->textColour));
    for (std::u16string_view line : lines) {
        const int width = advances.Width(line);
        int left = rect.left;
        if ((format & DT_CENTER) != 0) {
            left = rect.left + (rect.Width() - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            left = rect.right - width;
        }
        if (m_state->bkMode == OPAQUE) {
            painter->fillRect(left, top, width, lineHeight, ToQColor(m_state->bkColour));
        }
        DrawTextLine(*painter, QPoint(left, top + cell.ascent), line);
        top += lineHeight;
    }
    painter->restore();
    return textHeight;
}
