#pragma once
#include <QByteArray>
#include <QList>
#include <QQuickWidget>
#include <QString>
#include <QVariant>

class Hid_Thread;
class QSettings;

// The declarative view that shows the user interface and is the UI's only
// programming interface ("ui_View"). Its slots are kept in one fixed order,
// which fixes their meta-object indices; new slots go to their place in it.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    // Set by the main window right after construction; not owned.
    Hid_Thread *device = nullptr;
    bool isGun = false;
    QString icType;

    static constexpr int kProfileCount = 10;
    static constexpr int kMouseProfileImageSize = 128;
    static constexpr int kMouseProfileImages = 5;
    static constexpr int kLightingStagingSize = 1538;

    const QByteArray &mouseProfileImage(int number) const { return mouseProfileImages[number]; }
    const QByteArray &mouseLightingStaging() const { return lightingStaging; }

    // Captured input, handed to the UI queued.
    void detectKeyboard(uchar usbCode, uchar isDown);
    void detectMouse(uchar code, uchar isDown, int x, int y);

    // Writes what the settings stores hold and have not written yet (the
    // session is ending).
    void writeStores();

    // The window was hidden: the UI ends whatever listens for captured input,
    // and capture stops.
    void endCaptureListening();

    // Calls a function of the UI's root item; does nothing without a root.
    void callRoot(const char *function, Qt::ConnectionType type, const QVariantList &arguments = {});

public slots:
    void clearHidBusy();
    void initUI();
    void runUI();
    void resetApconfig();
    QVariant getDeviceConnectState();
    void setDeviceIndex(QVariant index);
    bool loadMacroFile(QVariant macroFileName, QVariant deviceNo);
    void saveMacroFile(QVariant macroFileName, QVariant deviceNo);
    QString getOpenSomeVendorPath(QString filterName);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QStringList getLangStrings(QVariant typeStr, QVariant langCode);
    bool createMacroIni(QVariant name, QVariant deviceNo);
    bool updataNameList(QVariant type, QVariantList nameList, QVariant deviceIndex);
    bool modifyMacroName(QVariant oldname, QVariant newname, QVariant deviceNo);
    void deleteMacroUpdateProfile(QVariant macroName);
    QVariant keyboardFollowMacroList(QVariantList before, QVariantList moves, QVariantList after);
    bool deleteMacroIni(QVariant name, QVariant deviceNo);
    QVariantList getNameList(QVariant type, QVariant deviceIndex);
    bool saveMacroIni(QVariant name, QVariantList macros, QVariant repeat, QVariant deviceNo, QVariant delay,
                      QVariant times);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);
    QVariantList loadMacroIni(QVariant name, QVariant deviceNo);
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void mouseSendGundata(QVariant index, QVariantList values);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getXYSensitive(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setCurrentProfile(int profile);
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(int is3336, uchar rate);
    void mouseSetCurrentDPI(uchar currentDPI);
    void mouseResetKeyMatrix();
    QVariant mouseGetCurrentDPI();
    void mouseSetKeyMatrix(int is3336, QVariantList src);
    void keyboardSetKeyMatrix(QVariantList src, uchar isSendData);
    void keyboardSetCurrentProfile();
    void keyboardSetMacroAddr(QVariant addr);
    QVariant keyboardSendMacroData(QVariantList tmacroData, uchar macroIndex);
    QVariant keyboardSetPicture(int index, QVariantList pictureData);
    void mouseSetDpi(int curDPI, QVariantList dpiSelectArray, QVariantList dpiValueArray, int is3336);
    void mouseSetRGBEffect(int is3336, uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar lightColorful,
                           uchar lightDirection, uchar colorR, uchar colorG, uchar colorB);
    void mousePadSetRGBEffect(uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar lightColorful,
                              uchar lightDirection, uchar colorR, uchar colorG, uchar colorB);
    void supportSetRGBEffect(uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar lightColorful,
                             uchar lightDirection, uchar colorR, uchar colorG, uchar colorB);
    void keyboardSetRGBEffect(uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar lightColorful,
                              uchar lightDirection, uchar colorR, uchar colorG, uchar colorB, uchar isSendCode);
    void mouseSetRGBColor(int is3336, uchar type, uchar colorR, uchar colorG, uchar colorB);
    void keyboardSetRGBColor(uchar type, uchar colorR, uchar colorG, uchar colorB);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList GetKeyboardoption();
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);
    QVariantList mouseGetKeydefine(QVariant index, bool isRecovery);
    void openUpdateExe(uchar index);
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    void setProfile(int no);
    // The UI starts or stops listening for captured input (recording a macro,
    // an armed key field, the insert-key dialog): capture runs only between.
    void setCaptureListening(bool listening);
    void keyboardAdvaceFunctionProc(uchar index);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    QVariant globalValue(const QString &key) const;
    QSettings *currentProfileStore() { return profileStore(currentProfile); }
    // A profile's store, opened the first time it is asked for: a run mostly
    // uses the current profile's, and each open store holds its whole file
    // parsed (about 45 KiB). Kept open from then on, as the others are.
    QSettings *&profileStore(int profile);
    // The stores of the first `count` profiles, for what goes through them all.
    QList<QSettings *> profileStoresUpTo(int count = kProfileCount);
    bool is560Family() const { return icType == QLatin1String("560"); }
    static bool isProfileNumber(int profile) { return profile >= 0 && profile < kProfileCount; }
    // Replaces a store's file by a copy of another file and reopens it; keeps
    // the old file and store when the copy fails, and says why in `error`
    // (the first form reports it to SaveFailures as the store not saved).
    bool replaceStore(QSettings *&store, const QString &sourceFile);
    bool replaceStore(QSettings *&store, const QString &sourceFile, QString *error);

    QSettings *globalStore = nullptr;
    QSettings *defaultsStore = nullptr;
    QList<QSettings *> profileStores;  // null until opened
    int currentProfile = 0;
    QByteArray mouseProfileImages[kMouseProfileImages];
    // The mouse lighting staging buffer: written by mouseSetRGBEffect, not
    // sent by any operation yet.
    QByteArray lightingStaging;
};
