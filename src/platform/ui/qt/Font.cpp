// Fonts by face, cell height and weight, and the registration of the device face.
#include "platform/ui/Font.h"

#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/QtText.h"
#include "platform/ui/qt/TextLine.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>

namespace {

/// Where the device face comes from on the host, unless CORVINA_FONT_DIR names another folder.
constexpr const char* kFontFolderVariable = "CORVINA_FONT_DIR";
constexpr const char* kDefaultFontFolder = "/usr/share/wine/fonts";
constexpr const char* kTahomaRegularFile = "/tahoma.ttf";
/// The face the device's dialog templates name; it is the device face there.
constexpr const char* kSystemFaceName = "System";

/// The size a font gets when its height is left to the platform.
constexpr int kDefaultCellHeight = 13;
/// Points are 1/72 inch; the device draws at 96 pixels per inch.
constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;
constexpr int kTenthsPerPoint = 10;
/// Weights outside this range are clamped, as the device does.
constexpr int kLightestWeight = 100;
constexpr int kHeaviestWeight = 900;
/// The stretch factors (percent) Qt accepts.
constexpr int kNarrowestStretch = 1;
constexpr int kWidestStretch = 4000;
/// Vertical hinting keeps baselines crisp while widths stay those of the face's design, so text
/// measures the same at every scale factor of the device window.
constexpr QFont::HintingPreference kDeviceHinting = QFont::PreferVerticalHinting;

/// The cell numbers of the face `font` resolves to, read from its own tables; remembered per face
/// and style, since every font of the program is made on the one user-interface thread.
std::optional<FaceMetrics> FaceMetricsOf(const QFont& font) {
    static std::map<QString, std::optional<FaceMetrics>> known;
    const QString face = QStringLiteral("%1/%2/%3")
                             .arg(QFontInfo(font).family())
                             .arg(font.weight())
                             .arg(font.italic() ? 1 : 0);
    if (const auto found = known.find(face); found != known.end()) {
        return found->second;
    }
    const QRawFont raw = QRawFont::fromFont(font);
    std::optional<FaceMetrics> metrics;
    if (raw.isValid()) {
        const QByteArray head = raw.fontTable("head");
        const QByteArray os2 = raw.fontTable("OS/2");
        metrics = ReadFaceMetrics(std::string_view(head.constData(), static_cast<std::size_t>(head.size())),
                                  std::string_view(os2.constData(), static_cast<std::size_t>(os2.size())));
    }
    known.emplace(face, metrics);
    return metrics;
}

/// The cell of a face without the tables (a bitmap face): the em is the height, as the engine
/// measures it.
CellMetrics CellWithoutTables(const QFont& font, int emPixels) {
    QFont probe = font;
    probe.setPixelSize(emPixels);
    const QFontMetrics metrics(probe);
    CellMetrics cell;
    cell.emPixels = emPixels;
    cell.height = std::max(emPixels, metrics.height());
    cell.ascent = std::min(cell.height, metrics.ascent());
    cell.descent = cell.height - cell.ascent;
    return cell;
}

FontData MakeFont(const LOGFONT& attributes) {
    QFont font;
    font.setFamily(attributes.lfFaceName.empty() ? ToQString(kDeviceFaceName)
                                                 : QString::fromStdU16String(attributes.lfFaceName));
    font.setHintingPreference(kDeviceHinting);
    // The device never kerns: a text is as wide as the sum of its characters' advances.
    font.setKerning(false);
    const int weight = attributes.lfWeight == FW_DONTCARE
                           ? FW_NORMAL
                           : std::clamp(attributes.lfWeight, kLightestWeight, kHeaviestWeight);
    // The device face comes in two weights only, and the device takes the bold one from semi-bold
    // up; the font engine thickens strokes only for bold, so semi-bold is asked for as bold.
    font.setWeight(weight >= FW_SEMIBOLD ? QFont::Bold : static_cast<QFont::Weight>(weight));
    font.setItalic(attributes.lfItalic != 0);
    font.setUnderline(attributes.lfUnderline != 0);
    font.setStrikeOut(attributes.lfStrikeOut != 0);
    const bool emAsked = attributes.lfHeight < 0;
    const int cellAsked = attributes.lfHeight == 0 ? kDefaultCellHeight : attributes.lfHeight;
    const int height = emAsked ? -attributes.lfHeight : cellAsked;
    font.setPixelSize(height);
    CellMetrics cell;
    if (const std::optional<FaceMetrics> face = FaceMetricsOf(font)) {
        cell = emAsked ? CellForEm(*face, height) : CellForHeight(*face, height);
    } else {
        cell = CellWithoutTables(font, height);
    }
    font.setPixelSize(cell.emPixels);
    if (attributes.lfWidth > 0) {
        // A wanted average width narrows or widens the face by stretching it.
        const int natural = QFontMetrics(font).averageCharWidth();
        if (natural > 0) {
            font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * attributes.lfWidth / natural)),
                                       kNarrowestStretch, kWidestStretch));
        }
    }
    return FontData{font, attributes, cell, &AdvancesOf(font)};
}

} // namespace

bool RegisterDeviceFonts() {
    static const bool realFace = [] {
        const char* chosenFolder = std::getenv(kFontFolderVariable);
        const QString folder = chosenFolder != nullptr && *chosenFolder != '\0'
                                   ? QString::fromLocal8Bit(chosenFolder)
                                   : QString::fromLatin1(kDefaultFontFolder);
        const QString regularPath = folder + QString::fromLatin1(kTahomaRegularFile);
        // Only the regular face is registered: the host's tahomabd.ttf keeps the regular strokes and
        // merely widens the spacing, so bold text would not look bold. Without it the font engine
        // thickens the regular outlines itself, which reads as the device's bold.
        const int regular = QFontDatabase::addApplicationFont(regularPath);
        const QString tahoma = ToQString(kDeviceFaceName);
        const bool found = regular >= 0 && QFontDatabase::applicationFontFamilies(regular).contains(tahoma);
        if (!found) {
            const QString sans = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
            QFont::insertSubstitution(tahoma, sans);
            qWarning("corvina: the device face Tahoma was not found at %s; drawing text in %s instead "
                     "(install the package fonts-wine)",
                     qPrintable(regularPath), qPrintable(sans));
        }
        QFont::insertSubstitution(QString::fromLatin1(kSystemFaceName), tahoma);
        return found;
    }();
    return realFace;
}

QFont MakeDeviceFont(std::u16string_view faceName, int cellHeight, int weight) {
    RegisterDeviceFonts();
    LOGFONT attributes;
    attributes.lfHeight = cellHeight;
    attributes.lfWeight = weight;
    attributes.lfFaceName = std::u16string(faceName);
    return MakeFont(attributes).font;
}

CellMetrics CellOf(const CFont& font) {
    if (font.IsNull()) {
        LOGFONT defaults;
        return MakeFont(defaults).cell;
    }
    return font.Data()->cell;
}

QFont ToQFont(const CFont& font) {
    if (font.IsNull()) {
        return MakeDeviceFont(kDeviceFaceName, kDefaultCellHeight, FW_NORMAL);
    }
    return font.Data()->font;
}

CFont::CFont() = default;
CFont::~CFont() = default;
CFont::CFont(CFont&&) noexcept = default;
CFont& CFont::operator=(CFont&&) noexcept = default;

bool CFont::CreateFont(int height, int weight, std::u16string_view faceName) {
    LOGFONT attributes;
    attributes.lfHeight = height;
    attributes.lfWeight = weight;
    attributes.lfFaceName = std::u16string(faceName);
    return CreateFontIndirect(attributes);
}

bool CFont::CreateFontIndirect(const LOGFONT& attributes) {
    RegisterDeviceFonts();
    m_data = std::make_shared<FontData>(MakeFont(attributes));
    return true;
}

bool CFont::CreatePointFont(int tenthsOfPoint, std::u16string_view faceName) {
    if (tenthsOfPoint <= 0) {
        return false;
    }
    LOGFONT attributes;
    // A point size names the em, which a negative height asks for.
    attributes.lfHeight = -static_cast<int>(std::lround(static_cast<double>(tenthsOfPoint) * kPixelsPerInch /
                                                        (kPointsPerInch * kTenthsPerPoint)));
    attributes.lfWeight = FW_NORMAL;
    attributes.lfFaceName = std::u16string(faceName);
    return CreateFontIndirect(attributes);
}

void CFont::DeleteObject() {
    m_data.reset();
}

bool CFont::IsNull() const {
    return !m_data;
}

CharAdvances& CFont::GetCharAdvances() const {
    if (m_data) {
        return *m_data->advances;
    }
    return AdvancesOf(ToQFont(*this));
}

LOGFONT CFont::GetLogFont() const {
    return m_data ? m_data->attributes : LOGFONT{};
}

TEXTMETRIC CFont::GetTextMetrics() const {
    const QFontMetrics metrics(ToQFont(*this));
    const CellMetrics cell = CellOf(*this);
    TEXTMETRIC measures;
    measures.tmHeight = cell.height;
    measures.tmAscent = cell.ascent;
    measures.tmDescent = cell.descent;
    measures.tmInternalLeading = cell.height - cell.emPixels;
    measures.tmAveCharWidth = metrics.averageCharWidth();
    measures.tmMaxCharWidth = metrics.maxWidth();
    measures.tmExternalLeading = std::max(0, metrics.leading());
    return measures;
}
