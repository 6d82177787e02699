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

public:
    QStringList calls;
    int connectState = 0;
    QVariantMap globals;
    QVariantList nameList;
    QVariantMap langStrings;
    bool viewEnabled = true;

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
    // ui_Ctl
    Q_INVOKABLE void onXChanged(int dx);
    Q_INVOKABLE void onYChanged(int dy);
    Q_INVOKABLE void onMinimize();
    Q_INVOKABLE void onClose();

private:
    void note(const QString &call) { calls.append(call); }
};
