#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

class Hid_Thread;

// The gun preset file ("./modules/gun/gunData.bin"): group "gunData", one
// key per preset name holding its list of values. The file ships with the
// program and is never created here: when it is missing every change does
// nothing and every read gives an empty list. Each call opens the file,
// uses it and closes it.
class GunPresetFile
{
public:
    explicit GunPresetFile(QString path = QStringLiteral("./modules/gun/gunData.bin"));

    bool exists() const;
    // Stores the values under the name (replacing what it held).
    bool save(const QString &name, const QVariantList &values);
    bool remove(const QString &name);
    // Removes `oldName`, then stores the values under `newName`: a rename
    // and a change in one step (equal names rewrite the preset).
    bool replace(const QString &oldName, const QString &newName, const QVariantList &values);
    QVariantList values(const QString &name) const;
    QStringList names() const;

private:
    QString m_path;
};

namespace GunData {
// A preset value as a device byte: the low 8 bits of its integer value.
quint8 lowByte(const QVariant &value);

// 560 family: the gun data lives in the 128-byte profile image: byte 78 is
// 0xF0, bytes 79 to 81 the three values, and bit 2 of byte 65 is cleared.
// Nothing else changes. False when the image is too short.
bool placeInProfileImage(QByteArray &image, quint8 first, quint8 second, quint8 third);

// 553 family: the third value goes to the device negated (two's
// complement) when the third keyboard-option byte is set.
quint8 thirdValueFor553(quint8 third, quint8 thirdOption);

// Sends the first three values to the mouse. With icType "560", profile
// image index + 1 of `images` is changed and sent (index 0 to 3); with any
// other icType the keyboard options are read and the 553 gun-data command
// is sent with byte4 = index − 1. False when nothing could be sent for
// the arguments given (the device's own failures are logged by it).
bool send(Hid_Thread &device, const QString &icType, int index, const QVariantList &values, QByteArray *images,
          int imageCount);
} // namespace GunData
