// Our UTF-16 text as Qt's: the one place the program's strings become QStrings.
#pragma once

#include <QString>

#include <string_view>

/// The same UTF-16 code units as a QString. Takes a view, which need not end in a null, so no
/// std::u16string has to be made on the way.
inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

/// The QString's UTF-16 code units as a view, valid while the string is alive and unchanged.
inline std::u16string_view ViewOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.constData()), static_cast<std::size_t>(text.size())};
}
