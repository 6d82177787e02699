#include "fake_bridge.h"

namespace {

QString joined(const QVariantList &list)
{
    QStringList parts;
    for (const QVariant &value : list)
        parts.append(value.toString());
    return parts.join(',');
}

QString numbers(std::initializer_list<int> values)
{
    QStringList parts;
    for (int value : values)
        parts.append(QString::number(value));
    return parts.join(' ');
}

} // namespace

QVariantList FakeBridge::getDataList(const QVariant &key, bool isRecovery)
{
    note("getDataList " + key.toString() + (isRecovery ? " true" : " false"));
    return (isRecovery ? factoryLists : dataLists).value(key.toString()).toList();
}

QVariant FakeBridge::getData(const QVariant &key, bool isRecovery)
{
    note("getData " + key.toString() + (isRecovery ? " true" : " false"));
    return isRecovery ? QVariant() : dataValues.value(key.toString());
}

void FakeBridge::setData(const QVariant &key, const QVariant &value)
{
    note("setData " + key.toString() + " " + value.toString());
    dataValues.insert(key.toString(), value);
}

QVariant FakeBridge::keyboardFollowMacroList(const QVariantList &before, const QVariantList &moves,
                                             const QVariantList &after)
{
    note("keyboardFollowMacroList " + joined(before) + " " + joined(moves) + " " + joined(after));
    return 0;
}

void FakeBridge::setDataList(const QVariant &key, const QVariantList &list)
{
    note("setDataList " + key.toString() + " " + joined(list));
    dataLists.insert(key.toString(), list);
}

void FakeBridge::keyboardSetRGBEffect(int effect, int brightness, int speed, int colourMode, int direction,
                                      int red, int green, int blue, int isSendCode)
{
    note("keyboardSetRGBEffect "
         + numbers({effect, brightness, speed, colourMode, direction, red, green, blue, isSendCode}));
}

QVariant FakeBridge::keyboardSetPicture(int index, const QVariantList &flags)
{
    note("keyboardSetPicture " + QString::number(index) + " " + joined(flags));
    pictures.insert(QString::number(index), flags);
    return true;
}

void FakeBridge::keyboardSetKeyMatrix(const QVariantList &values, int isSendData)
{
    note("keyboardSetKeyMatrix " + QString::number(values.size()) + " " + QString::number(isSendData));
    lastMatrix = values;
}

QVariant FakeBridge::keyboardSendMacroData(const QVariantList &image, int macroIndex)
{
    note("keyboardSendMacroData " + QString::number(macroIndex));
    sentMacros.append(QVariant(QVariantList{macroIndex, image}));
    return true;
}

QString FakeBridge::getOpenSomeVendorPath(const QString &filter)
{
    note("getOpenSomeVendorPath " + filter);
    return vendorPath;
}

bool FakeBridge::createMacroIni(const QVariant &name, const QVariant &deviceNo)
{
    note("createMacroIni " + name.toString() + " " + deviceNo.toString());
    if (!macroCreates)
        return false;
    if (!macroInis.contains(name.toString()))
        macroInis.insert(name.toString(), QVariantList{1, 0, 1});
    return true;
}

bool FakeBridge::deleteMacroIni(const QVariant &name, const QVariant &deviceNo)
{
    note("deleteMacroIni " + name.toString() + " " + deviceNo.toString());
    return macroInis.remove(name.toString()) > 0;
}

bool FakeBridge::modifyMacroName(const QVariant &oldName, const QVariant &newName, const QVariant &deviceNo)
{
    note("modifyMacroName " + oldName.toString() + " " + newName.toString() + " " + deviceNo.toString());
    macroInis.insert(newName.toString(), macroInis.take(oldName.toString()));
    return true;
}

QVariantList FakeBridge::loadMacroIni(const QVariant &name, const QVariant &deviceNo)
{
    note("loadMacroIni " + name.toString() + " " + deviceNo.toString());
    return macroInis.value(name.toString(), QVariantList{1, 0, 1}).toList();
}

bool FakeBridge::saveMacroIni(const QVariant &name, const QVariantList &actions, const QVariant &repeat,
                              const QVariant &deviceNo, const QVariant &delay, const QVariant &times)
{
    note("saveMacroIni " + name.toString() + " " + joined(actions) + " " + repeat.toString() + " "
         + deviceNo.toString() + " " + delay.toString() + " " + times.toString());
    // Stored as loadMacroIni gives it back: the actions, then repeat, delay flag, times.
    macroInis.insert(name.toString(), QVariantList(actions) << repeat << delay << times);
    return true;
}

bool FakeBridge::loadMacroFile(const QVariant &name, const QVariant &deviceNo)
{
    note("loadMacroFile " + name.toString() + " " + deviceNo.toString());
    return macroFileLoads;
}

void FakeBridge::saveMacroFile(const QVariant &name, const QVariant &deviceNo)
{
    note("saveMacroFile " + name.toString() + " " + deviceNo.toString());
}
