// Fonts by face name, cell height in pixels and weight, and the device's own face registered at
// start-up.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CharAdvances;
struct FontData; // the platform font; defined for the platform's own code in DCBridge.h

/// Font weights as the device names them.
inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;

/// The attributes a font is made from. Zero means the platform's default for every field.
struct LOGFONT {
    /// Positive: the character-cell height in pixels (ascent plus descent). Negative: the em height
    /// in pixels. Zero: the platform's default size.
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;            ///< average character width in pixels; 0 lets the face decide
    std::int32_t lfWeight = FW_DONTCARE; ///< 0 (default, normal) or 100 to 900
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::u16string lfFaceName; ///< "Tahoma", "System", ...; empty gives the device face
};

/// Text measures of a font, in pixels.
struct TEXTMETRIC {
    std::int32_t tmHeight = 0;          ///< ascent plus descent: the height of one line
    std::int32_t tmAscent = 0;          ///< baseline to the top of the cell
    std::int32_t tmDescent = 0;         ///< baseline to the bottom of the cell
    std::int32_t tmInternalLeading = 0; ///< the cell height less the em size the glyphs are drawn at
    std::int32_t tmAveCharWidth = 0;
    std::int32_t tmMaxCharWidth = 0;
    std::int32_t tmExternalLeading = 0;
};

/// A font. Move-only; a drawing context that has it selected keeps it alive.
class CFont {
public:
    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    CFont(CFont&&) noexcept;
    CFont& operator=(CFont&&) noexcept;

    /// Makes the font from a face name, a height (see LOGFONT::lfHeight) and a weight, every other
    /// attribute zero. Registers the device face first if nobody has yet.
    bool CreateFont(int height, int weight, std::u16string_view faceName);
    /// Makes the font from all its attributes.
    bool CreateFontIndirect(const LOGFONT& attributes);
    /// Makes the font from a size in tenths of a point (80 = 8 point) at the device's 96 pixels per
    /// inch, normal weight.
    bool CreatePointFont(int tenthsOfPoint, std::u16string_view faceName);
    /// Releases the font; it is empty afterwards.
    void DeleteObject();

    /// True when no font has been made.
    bool IsNull() const;
    /// The attributes the font was made from.
    LOGFONT GetLogFont() const;
    /// The measures of the font as it renders.
    TEXTMETRIC GetTextMetrics() const;
    /// The advance widths of its characters, which every text is measured and drawn by (those of
    /// the device's default font when empty). Shared by every font of the same face, height and
    /// weight; lives as long as the process.
    CharAdvances& GetCharAdvances() const;

    /// The platform font, for the platform's own code (see DCBridge.h); null when empty.
    const std::shared_ptr<FontData>& Data() const { return m_data; }

private:
    std::shared_ptr<FontData> m_data;
};

/// The face the device's screens are drawn in.
inline constexpr std::u16string_view kDeviceFaceName = u"Tahoma";

/// Registers the device face (Tahoma; bold weights are drawn by thickening it) with the application
/// from the host's font folder: $CORVINA_FONT_DIR, else /usr/share/wine/fonts (tahoma.ttf). When the file
/// is missing, "Tahoma" is mapped to the system's sans face and a warning is
/// printed, once per process. Safe to call more than once; needs the application object. Answers
/// true when the real face is in use.
bool RegisterDeviceFonts();
