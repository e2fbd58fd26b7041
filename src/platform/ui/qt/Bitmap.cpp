// Bitmaps: pictures loaded from the program's embedded resources, and blank surfaces.
#include "platform/ui/Bitmap.h"

#include "platform/ui/qt/DCBridge.h"

#include <QImageReader>
#include <mutex>
#include <unordered_map>

namespace {

/// The largest surface anybody may ask for: far beyond a screen, well below what would exhaust
/// memory (64 M pixels of 4 bytes).
constexpr qint64 kMaxBitmapPixels = 64LL * 1024 * 1024;

/// Every picture and surface uses one pixel format, so copies between them never convert.
constexpr QImage::Format kSurfaceFormat = QImage::Format_RGB32;

/// The program's own pictures are all PNG, which Qt reads itself: told so, the reader loads none of
/// the image-format plugins it would otherwise try on the file, a cost every start would pay.
QImage ReadEmbeddedPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;
CBitmap::CBitmap(CBitmap&&) noexcept = default;
CBitmap& CBitmap::operator=(CBitmap&&) noexcept = default;

bool CBitmap::LoadBitmap(unsigned id) {
    QImage image = LoadBitmapImage(id);
    if (image.isNull()) {
        m_data.reset();
        return false;
    }
    m_data = std::make_shared<BitmapData>(BitmapData{std::move(image)});
    return true;
}

bool CBitmap::CreateBitmap(int width, int height) {
    m_data.reset();
    if (width <= 0 || height <= 0 || static_cast<qint64>(width) * height > kMaxBitmapPixels) {
        return false;
    }
    QImage image(width, height, kSurfaceFormat);
    if (image.isNull()) {
        return false;
    }
    image.fill(Qt::black);
    m_data = std::make_shared<BitmapData>(BitmapData{std::move(image)});
    return true;
}

bool CBitmap::CreateCompatibleBitmap(const CDC* /*dc*/, int width, int height) {
    return CreateBitmap(width, height);
}

void CBitmap::DeleteObject() {
    m_data.reset();
}

bool CBitmap::IsNull() const {
    return !m_data || m_data->image.isNull();
}

CSize CBitmap::GetSize() const {
    if (IsNull()) {
        return {};
    }
    return {m_data->image.width(), m_data->image.height()};
}

COLORREF CBitmap::GetPixel(int x, int y) const {
    if (IsNull() || !m_data->image.valid(x, y)) {
        return CLR_INVALID;
    }
    return FromQRgb(m_data->image.pixel(x, y));
}

QImage LoadBitmapImage(unsigned id) {
    // The pictures are built into the program and never change, so each is decoded once: every
    // screen that opens loads its pictures again. The images are shared until one is drawn into,
    // which takes a copy of its own.
    static std::mutex decodedLock;
    static std::unordered_map<unsigned, QImage> decoded;
    const std::lock_guard lock(decodedLock);
    if (const auto found = decoded.find(id); found != decoded.end()) {
        return found->second;
    }
    QImage image = ReadEmbeddedPng(QStringLiteral(":/bitmaps/%1.png").arg(id));
    if (!image.isNull()) {
        image = image.convertToFormat(kSurfaceFormat);
    }
    decoded.emplace(id, image);
    return image;
}

QPixmap LoadIconPixmap(unsigned id) {
    const QImage image = ReadEmbeddedPng(QStringLiteral(":/icons/%1.png").arg(id));
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

const QImage& BitmapImage(const CBitmap& bitmap) {
    static const QImage kNoImage;
    return bitmap.IsNull() ? kNoImage : bitmap.Data()->image;
}

CBitmap BitmapFromImage(const QImage& image) {
    CBitmap bitmap;
    if (image.isNull()) {
        return bitmap;
    }
    QImage surface = image.hasAlphaChannel() ? image : image.convertToFormat(kSurfaceFormat);
    bitmap.AttachData(std::make_shared<BitmapData>(BitmapData{std::move(surface)}));
    return bitmap;
}
