#include "gun_presets.h"

#include "platform/settings_format.h"
#include "platform/settings_writer.h"
#include "safe_name.h"

#include <QFile>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("gunData/");

constexpr int kGunMarkerByte = 78;
constexpr quint8 kGunMarker = 0xF0;
constexpr int kGunFlagsByte = 65;
constexpr quint8 kGunFlagBit = 0x04;

bool usable(const QString &name) { return unsafeNameReason(name).isEmpty(); }

bool written(QSettings &file) { return writeSettings(file); }
} // namespace

GunPresetFile::GunPresetFile(QString path) : m_path(std::move(path)) {}

bool GunPresetFile::exists() const { return QFile::exists(m_path) && unreadableSettingsReason(m_path).isEmpty(); }

bool GunPresetFile::save(const QString &name, const QVariantList &values)
{
    if (!exists() || !usable(name))
        return false;
    QSettings file(m_path, settingsFormat());
    file.setValue(kGroup + name, values);
    return written(file);
}

bool GunPresetFile::remove(const QString &name)
{
    if (!exists() || !usable(name))
        return false;
    QSettings file(m_path, settingsFormat());
    file.remove(kGroup + name);
    return written(file);
}

bool GunPresetFile::replace(const QString &oldName, const QString &newName, const QVariantList &values)
{
    if (!exists() || !usable(oldName) || !usable(newName))
        return false;
    QSettings file(m_path, settingsFormat());
    file.remove(kGroup + oldName);
    file.setValue(kGroup + newName, values);
    return written(file);
}

QVariantList GunPresetFile::values(const QString &name) const
{
    if (!exists() || !usable(name))
        return {};
    const QSettings file(m_path, settingsFormat());
    const QVariant value = file.value(kGroup + name);
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return value.toList();
    // A preset of a single value reads back as a plain string.
    if (value.isValid() && !value.toString().isEmpty())
        return {value};
    return {};
}

QStringList GunPresetFile::names() const
{
    if (!exists())
        return {};
    QSettings file(m_path, settingsFormat());
    file.beginGroup(QStringLiteral("gunData"));
    return file.childKeys();
}

namespace GunData {

quint8 lowByte(const QVariant &value) { return quint8(value.toLongLong() & 0xFF); }

bool placeInProfileImage(QByteArray &image, quint8 first, quint8 second, quint8 third)
{
    if (image.size() < kGunMarkerByte + 4)
        return false;
    image[kGunMarkerByte] = char(kGunMarker);
    image[kGunMarkerByte + 1] = char(first);
    image[kGunMarkerByte + 2] = char(second);
    image[kGunMarkerByte + 3] = char(third);
    image[kGunFlagsByte] = char(quint8(image.at(kGunFlagsByte)) & quint8(~kGunFlagBit));
    return true;
}

quint8 thirdValueFor553(quint8 third, quint8 thirdOption) { return thirdOption != 0 ? quint8(-third) : third; }

} // namespace GunData
