// CImageList: cells cut from bitmap strips, drawn by index.
#include "platform/ui/ImageList.h"

#include "platform/ui/qt/DCBridge.h"

#include <optional>
#include <vector>

namespace platform {
/// The images of one list.
struct ImageListData {
    CSize size;                 ///< every image's size
    std::vector<QImage> images; ///< by index
};
} // namespace platform

namespace {
/// Cuts `strip` into `size`-wide cells, making `key` transparent when given.
std::vector<QImage> CellsOf(const QImage& strip, CSize size, std::optional<COLORREF> key) {
    std::vector<QImage> cells;
    if (strip.isNull() || size.cx <= 0 || size.cy <= 0) {
        return cells;
    }
    for (int x = 0; x + size.cx <= strip.width(); x += size.cx) {
        QImage cell = strip.copy(x, 0, size.cx, size.cy).convertToFormat(QImage::Format_ARGB32);
        if (key) {
            const QRgb transparent = ToQColor(*key).rgb();
            for (int y = 0; y < cell.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
                for (int px = 0; px < cell.width(); ++px) {
                    if ((line[px] | 0xFF000000u) == (transparent | 0xFF000000u)) {
                        line[px] = 0;
                    }
                }
            }
        }
        cells.push_back(std::move(cell));
    }
    return cells;
}

int Append(platform::ImageListData* data, std::vector<QImage> cells) {
    if (data == nullptr || cells.empty()) {
        return -1;
    }
    const int first = static_cast<int>(data->images.size());
    for (QImage& cell : cells) {
        data->images.push_back(std::move(cell));
    }
    return first;
}
} // namespace

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

bool CImageList::Create(int cx, int cy, UINT /*flags*/, int /*initial*/, int /*grow*/) {
    if (cx <= 0 || cy <= 0) {
        return false;
    }
    m_data = std::make_unique<platform::ImageListData>();
    m_data->size = CSize(cx, cy);
    return true;
}

int CImageList::Add(CBitmap* bitmap, CBitmap* /*mask*/) {
    if (m_data == nullptr || bitmap == nullptr || bitmap->IsNull()) {
        return -1;
    }
    return Append(m_data.get(), CellsOf(BitmapImage(*bitmap), m_data->size, std::nullopt));
}

int CImageList::Add(CBitmap* bitmap, COLORREF keyColour) {
    if (m_data == nullptr || bitmap == nullptr || bitmap->IsNull()) {
        return -1;
    }
    return Append(m_data.get(), CellsOf(BitmapImage(*bitmap), m_data->size, keyColour));
}

int CImageList::GetImageCount() const {
    return m_data != nullptr ? static_cast<int>(m_data->images.size()) : 0;
}

CSize CImageList::GetImageSize() const {
    return m_data != nullptr ? m_data->size : CSize();
}

bool CImageList::Draw(CDC& dc, int index, CPoint point) const {
    if (index < 0 || index >= GetImageCount()) {
        return false;
    }
    QPainter* painter = ActivePainter(dc);
    if (painter == nullptr) {
        return false;
    }
    painter->drawImage(QPoint(point.x, point.y), m_data->images[static_cast<std::size_t>(index)]);
    return true;
}
