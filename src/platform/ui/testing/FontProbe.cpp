// The font probes for UI tests: QFontInfo answers what the engine resolved for a CFont's Qt font.
#include "platform/ui/testing/FontProbe.h"

#include "platform/ui/qt/DCBridge.h"

#include <QFontInfo>

namespace uitest {

std::u16string ResolvedFamily(const CFont& font) {
    return QFontInfo(ToQFont(font)).family().toStdU16String();
}

bool ResolvesBold(const CFont& font) {
    return QFontInfo(ToQFont(font)).bold();
}

bool HasExplicitHinting(const CFont& font) {
    return ToQFont(font).hintingPreference() != QFont::PreferDefaultHinting;
}

int EmPixels(const CFont& font) {
    return QFontInfo(ToQFont(font)).pixelSize();
}

} // namespace uitest
