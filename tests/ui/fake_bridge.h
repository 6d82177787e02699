#pragma once
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Stands in for "ui_View" and "ui_Ctl" in the UI tests: records every call
// as one line and answers from values the test sets.
class FakeBridge : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList calls MEMBER calls)
    Q_PROPERTY(int connectState MEMBER connectState)
    Q_PROPERTY(QVariantMap globals MEMBER globals)
    Q_PROPERTY(QVariantList nameList MEMBER nameList)
    Q_PROPERTY(QVariantMap langStrings MEMBER langStrings)
    Q_PROPERTY(bool viewEnabled MEMBER viewEnabled)
    // Keyboard pages: stored lists by key (factoryLists answers isRecovery),
    // the macro store, the path the file chooser "returns", and what was sent.
    Q_PROPERTY(QVariantMap dataLists MEMBER dataLists)
    Q_PROPERTY(QVariantMap factoryLists MEMBER factoryLists)
    Q_PROPERTY(QVariantList macroNames MEMBER macroNames)
    Q_PROPERTY(QVariantMap macroInis MEMBER macroInis)
    Q_PROPERTY(bool macroFileLoads MEMBER macroFileLoads)
    Q_PROPERTY(bool macroCreates MEMBER macroCreates)
    // Fails on demand: an import whose file cannot be read.
    Q_PROPERTY(bool profileLoads MEMBER profileLoads)
    // Scalar values of the current profile (getData / setData).
    Q_PROPERTY(QVariantMap dataValues MEMBER dataValues)
    Q_PROPERTY(QString vendorPath MEMBER vendorPath)
    Q_PROPERTY(QVariantList lastMatrix MEMBER lastMatrix)
    Q_PROPERTY(QVariantMap pictures MEMBER pictures)
    Q_PROPERTY(QVariantList sentMacros MEMBER sentMacros)
    // Whether the window system takes over a drag (ui_Ctl.startSystemMove).
    Q_PROPERTY(bool systemMoves MEMBER systemMoves)
    // Whether the desktop has a tray (ui_Ctl.hasTray).
    Q_PROPERTY(bool trayAvailable MEMBER trayAvailable)

public:
    QStringList calls;
    int connectState = 0;
    QVariantMap globals;
    QVariantList nameList;
    QVariantMap langStrings;
    bool viewEnabled = true;
    QVariantMap dataLists;
    QVariantMap factoryLists;
    QVariantList macroNames;
    QVariantMap macroInis;   // name → the list loadMacroIni returns
    bool macroFileLoads = true;
    bool macroCreates = true;  // false: createMacroIni fails, as on an unreadable file
    bool profileLoads = true;
    QVariantMap dataValues;
    QString vendorPath;
    QVariantList lastMatrix;
    QVariantMap pictures;    // "0" … "4" → the last device-order flags
    bool systemMoves = false;
    bool trayAvailable = true;
    QVariantList sentMacros; // [macro position, image] per keyboardSendMacroData

    Q_INVOKABLE void reset();
    Q_INVOKABLE int count(const QString &call) const;

    // ui_View
    Q_INVOKABLE void keyboardSetCurrentProfile();
    Q_INVOKABLE QVariant getDeviceConnectState();
    Q_INVOKABLE QVariant getGlobalData(const QVariant &key);
    Q_INVOKABLE void setGlobalData(const QVariant &key, const QVariant &value);
    Q_INVOKABLE QStringList getLangStrings(const QVariant &type, const QVariant &language);
    Q_INVOKABLE void setCurrentProfile(int profile);
    Q_INVOKABLE void setDeviceIndex(const QVariant &index);
    Q_INVOKABLE QVariantList getNameList(const QVariant &type, const QVariant &deviceIndex);
    Q_INVOKABLE bool updataNameList(const QVariant &type, const QVariantList &list, const QVariant &deviceIndex);
    Q_INVOKABLE bool loadProfile(int profile);
    Q_INVOKABLE void saveProfile(int profile);
    Q_INVOKABLE void resetProfile(int profile);
    Q_INVOKABLE void openUpdateExe(int index);
    Q_INVOKABLE void setEnabled(bool enabled);
    Q_INVOKABLE void setCaptureListening(bool listening);
    // ui_Ctl
    Q_INVOKABLE bool hasTray();
    Q_INVOKABLE void quit();
    // ui_View, keyboard pages (fake_bridge_pages.cpp)
    Q_INVOKABLE QVariantList getDataList(const QVariant &key, bool isRecovery);
    Q_INVOKABLE QVariant getData(const QVariant &key, bool isRecovery);
    Q_INVOKABLE void setData(const QVariant &key, const QVariant &value);
    Q_INVOKABLE QVariant keyboardFollowMacroList(const QVariantList &before, const QVariantList &moves,
                                                 const QVariantList &after);
    Q_INVOKABLE void setDataList(const QVariant &key, const QVariantList &list);
    Q_INVOKABLE void keyboardSetRGBEffect(int effect, int brightness, int speed, int colourMode,
                                          int direction, int red, int green, int blue, int isSendCode);
    Q_INVOKABLE QVariant keyboardSetPicture(int index, const QVariantList &flags);
    Q_INVOKABLE void keyboardSetKeyMatrix(const QVariantList &values, int isSendData);
    Q_INVOKABLE QVariant keyboardSendMacroData(const QVariantList &image, int macroIndex);
    Q_INVOKABLE QString getOpenSomeVendorPath(const QString &filter);
    Q_INVOKABLE bool createMacroIni(const QVariant &name, const QVariant &deviceNo);
    Q_INVOKABLE bool deleteMacroIni(const QVariant &name, const QVariant &deviceNo);
    Q_INVOKABLE bool modifyMacroName(const QVariant &oldName, const QVariant &newName, const QVariant &deviceNo);
    Q_INVOKABLE QVariantList loadMacroIni(const QVariant &name, const QVariant &deviceNo);
    Q_INVOKABLE bool saveMacroIni(const QVariant &name, const QVariantList &actions, const QVariant &repeat,
                                  const QVariant &deviceNo, const QVariant &delay, const QVariant &times);
    Q_INVOKABLE bool loadMacroFile(const QVariant &name, const QVariant &deviceNo);
    Q_INVOKABLE void saveMacroFile(const QVariant &name, const QVariant &deviceNo);
    // ui_Ctl
    Q_INVOKABLE void onXChanged(int dx);
    Q_INVOKABLE void onYChanged(int dy);
    Q_INVOKABLE bool startSystemMove();
    Q_INVOKABLE void onMinimize();
    Q_INVOKABLE void onClose();

private:
    void note(const QString &call) { calls.append(call); }
};
