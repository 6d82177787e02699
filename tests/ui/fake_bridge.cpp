#include "fake_bridge.h"

void FakeBridge::reset()
{
    calls.clear();
    connectState = 0;
    globals.clear();
    nameList.clear();
    langStrings.clear();
    viewEnabled = true;
    dataLists.clear();
    factoryLists.clear();
    macroNames.clear();
    macroInis.clear();
    macroFileLoads = true;
    macroCreates = true;
    profileLoads = true;
    dataValues.clear();
    vendorPath.clear();
    lastMatrix.clear();
    pictures.clear();
    sentMacros.clear();
    trayAvailable = true;
}

int FakeBridge::count(const QString &call) const { return int(calls.count(call)); }

void FakeBridge::keyboardSetCurrentProfile() { note("keyboardSetCurrentProfile"); }

QVariant FakeBridge::getDeviceConnectState()
{
    note("getDeviceConnectState");
    return connectState;
}

QVariant FakeBridge::getGlobalData(const QVariant &key)
{
    note("getGlobalData " + key.toString());
    return globals.value(key.toString());
}

void FakeBridge::setGlobalData(const QVariant &key, const QVariant &value)
{
    note("setGlobalData " + key.toString() + " " + value.toString());
    globals.insert(key.toString(), value);
}

QStringList FakeBridge::getLangStrings(const QVariant &type, const QVariant &language)
{
    note("getLangStrings " + type.toString() + " " + language.toString());
    return langStrings.value(type.toString()).toStringList();
}

void FakeBridge::setCurrentProfile(int profile) { note("setCurrentProfile " + QString::number(profile)); }

void FakeBridge::setDeviceIndex(const QVariant &index) { note("setDeviceIndex " + index.toString()); }

QVariantList FakeBridge::getNameList(const QVariant &type, const QVariant &deviceIndex)
{
    note("getNameList " + type.toString() + " " + deviceIndex.toString());
    return type.toInt() == 0 ? macroNames : nameList;
}

bool FakeBridge::updataNameList(const QVariant &type, const QVariantList &list, const QVariant &deviceIndex)
{
    QStringList names;
    for (const QVariant &entry : list)
        names.append(entry.toString());
    note("updataNameList " + type.toString() + " " + names.join(',') + " " + deviceIndex.toString());
    (type.toInt() == 0 ? macroNames : nameList) = list;
    return true;
}

bool FakeBridge::loadProfile(int profile)
{
    note("loadProfile " + QString::number(profile));
    return profileLoads;
}

void FakeBridge::saveProfile(int profile) { note("saveProfile " + QString::number(profile)); }
void FakeBridge::resetProfile(int profile) { note("resetProfile " + QString::number(profile)); }

bool FakeBridge::hasTray()
{
    note("hasTray");
    return trayAvailable;
}

void FakeBridge::quit() { note("quit"); }

void FakeBridge::setCaptureListening(bool listening)
{
    note(QStringLiteral("setCaptureListening ") + (listening ? "true" : "false"));
}
void FakeBridge::openUpdateExe(int index) { note("openUpdateExe " + QString::number(index)); }

void FakeBridge::setEnabled(bool enabled)
{
    note(enabled ? "setEnabled true" : "setEnabled false");
    viewEnabled = enabled;
}

void FakeBridge::onXChanged(int dx) { note("onXChanged " + QString::number(dx)); }
void FakeBridge::onYChanged(int dy) { note("onYChanged " + QString::number(dy)); }
bool FakeBridge::startSystemMove()
{
    note("startSystemMove");
    return systemMoves;
}
void FakeBridge::onMinimize() { note("onMinimize"); }
void FakeBridge::onClose() { note("onClose"); }
