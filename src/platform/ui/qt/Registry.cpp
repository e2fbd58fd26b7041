// The device registry over a settings file in the device root.
#include "platform/ui/Registry.h"

#include "platform/ui/DevicePaths.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

constexpr char16_t kKeySeparator = u'\\';
/// Qt's own separator of nested groups; it may not appear inside a name.
constexpr char16_t kGroupSeparator = u'/';
/// How a list value read from a hand-written line ("a, b") is put back together.
constexpr const char* kListJoin = ", ";

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString RootSection(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                              : QStringLiteral("HKEY_CURRENT_USER");
}

QString StorePath() {
    return QString::fromStdU16String(DeviceRootFolder()) + QLatin1Char('/') +
           QString::fromStdU16String(std::u16string(kRegistryFileName));
}

bool IsValidName(const QString& name) {
    return !name.isEmpty() && !name.contains(QChar(kGroupSeparator)) && !name.contains(QChar(kKeySeparator));
}

/// The key path's parts, or nothing when a part is empty or holds a character the store reserves.
std::optional<QStringList> KeyParts(std::u16string_view keyPath) {
    const QStringList parts = ToQString(keyPath).split(QChar(kKeySeparator));
    if (std::any_of(parts.begin(), parts.end(), [](const QString& part) { return !IsValidName(part); })) {
        return std::nullopt;
    }
    return parts;
}

/// Finds a name among the store's names the way the device does: without regard to case.
std::optional<QString> MatchName(const QStringList& names, const QString& wanted) {
    const auto found = std::find_if(names.begin(), names.end(), [&wanted](const QString& name) {
        return QString::compare(name, wanted, Qt::CaseInsensitive) == 0;
    });
    if (found == names.end()) {
        return std::nullopt;
    }
    return *found;
}

/// Enters the groups of the key path, matching each part without regard to case. False (with the
/// settings back at their top level) when a part is missing.
bool EnterKey(QSettings& settings, RegistryRoot root, const QStringList& parts) {
    settings.beginGroup(RootSection(root));
    int entered = 1;
    for (const QString& part : parts) {
        const std::optional<QString> stored = MatchName(settings.childGroups(), part);
        if (!stored) {
            for (; entered > 0; --entered) {
                settings.endGroup();
            }
            return false;
        }
        settings.beginGroup(*stored);
        ++entered;
    }
    return true;
}

QString ValueText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QString::fromLatin1(kListJoin));
    }
    return value.toString();
}

}  // namespace

RegistryError CRegistryKey::Open(RegistryRoot root, std::u16string_view keyPath) {
    Close();
    const std::optional<QStringList> parts = KeyParts(keyPath);
    if (!parts) {
        return RegistryError::InvalidName;
    }
    QSettings settings(StorePath(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return RegistryError::StoreFailed;
    }
    if (!EnterKey(settings, root, *parts)) {
        return RegistryError::KeyNotFound;
    }
    m_open = true;
    m_root = root;
    m_keyPath = std::u16string(keyPath);
    return RegistryError::None;
}

RegistryError CRegistryKey::QueryStringValue(std::u16string_view valueName, char16_t* buffer,
                                             std::size_t bufferChars) const {
    if (!m_open) {
        return RegistryError::NotOpen;
    }
    const QString name = ToQString(valueName);
    const std::optional<QStringList> parts = KeyParts(m_keyPath);
    if (!IsValidName(name) || !parts) {
        return RegistryError::InvalidName;
    }
    QSettings settings(StorePath(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return RegistryError::StoreFailed;
    }
    if (!EnterKey(settings, m_root, *parts)) {
        return RegistryError::KeyNotFound;  // removed since the key was opened
    }
    const std::optional<QString> stored = MatchName(settings.childKeys(), name);
    if (!stored) {
        return RegistryError::ValueNotFound;
    }
    const std::u16string text = ValueText(settings.value(*stored)).toStdU16String();
    if (buffer == nullptr || text.size() + 1 > bufferChars) {
        return RegistryError::MoreData;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = u'\0';
    return RegistryError::None;
}

void CRegistryKey::Close() {
    m_open = false;
    m_keyPath.clear();
}

RegistryError WriteRegistryString(RegistryRoot root, std::u16string_view keyPath, std::u16string_view valueName,
                                  std::u16string_view value) {
    const std::optional<QStringList> parts = KeyParts(keyPath);
    const QString name = ToQString(valueName);
    if (!parts || !IsValidName(name)) {
        return RegistryError::InvalidName;
    }
    QSettings settings(StorePath(), QSettings::IniFormat);
    settings.setValue(RootSection(root) + kGroupSeparator + parts->join(kGroupSeparator) + kGroupSeparator + name,
                      ToQString(value));
    settings.sync();
    return settings.status() == QSettings::NoError ? RegistryError::None : RegistryError::StoreFailed;
}

RegistryError DeleteRegistryValue(RegistryRoot root, std::u16string_view keyPath, std::u16string_view valueName) {
    const std::optional<QStringList> parts = KeyParts(keyPath);
    const QString name = ToQString(valueName);
    if (!parts || !IsValidName(name)) {
        return RegistryError::InvalidName;
    }
    QSettings settings(StorePath(), QSettings::IniFormat);
    settings.remove(RootSection(root) + kGroupSeparator + parts->join(kGroupSeparator) + kGroupSeparator + name);
    settings.sync();
    return settings.status() == QSettings::NoError ? RegistryError::None : RegistryError::StoreFailed;
}
