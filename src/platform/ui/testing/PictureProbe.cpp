// The picture probes for UI tests, reading and writing the Qt images behind icons and bitmaps.
#include "platform/ui/testing/PictureProbe.h"

#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceScreen.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace uitest {

int IconOpacity::AlphaAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) {
        return -1;
    }
    return alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.cx) +
                 static_cast<std::size_t>(x)];
}

namespace {

std::optional<IconOpacity> OpacityOf(const QPixmap& icon) {
    if (icon.isNull()) {
        return std::nullopt;
    }
    const QImage pixels = icon.toImage().convertToFormat(QImage::Format_ARGB32);
    IconOpacity opacity;
    opacity.size = CSize(pixels.width(), pixels.height());
    opacity.alpha.reserve(static_cast<std::size_t>(pixels.width()) *
                          static_cast<std::size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            opacity.alpha.push_back(static_cast<std::uint8_t>(qAlpha(pixels.pixel(x, y))));
        }
    }
    return opacity;
}

} // namespace

std::optional<IconOpacity> LoadIconOpacity(unsigned id) {
    return OpacityOf(LoadIconPixmap(id));
}

std::optional<IconOpacity> DeviceIconOpacity() {
    const QIcon icon = platform::DeviceRoot()->windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    if (icon.isNull() || sizes.isEmpty()) {
        return std::nullopt;
    }
    const QSize largest = *std::max_element(sizes.begin(), sizes.end(), [](QSize a, QSize b) {
        return a.width() * a.height() < b.width() * b.height();
    });
    return OpacityOf(icon.pixmap(largest));
}

CBitmap PaintThroughPainter(CSize size, COLORREF background, const std::function<void(CDC&)>& paint) {
    if (size.cx <= 0 || size.cy <= 0) {
        return CBitmap();
    }
    QImage window(size.cx, size.cy, QImage::Format_RGB32);
    window.fill(ToQColor(background));
    {
        QPainter painter(&window);
        CDC dc;
        AttachPainter(dc, &painter, size);
        paint(dc);
        painter.end();
    }
    return BitmapFromImage(window);
}

bool SaveBitmapPng(const CBitmap& bitmap, const std::string& path) {
    const QImage& image = BitmapImage(bitmap);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

CBitmap ReadPngBitmap(const std::string& path) {
    const QImage image(QString::fromStdString(path), "PNG");
    return image.isNull() ? CBitmap() : BitmapFromImage(image.convertToFormat(QImage::Format_RGB32));
}

} // namespace uitest
