#pragma once
#include "command_device_model.h"

// A mouse of the 560, 553 or ARM controller family: DPI stages with their
// enabled mask and multiplier, the current stage, the report rate, the
// button block, eight stage colours, five on-device profiles and the
// current one, macro slots, gun data, keyboard options and key matrix.
// One model speaks all three families, as the program may send any of them
// to the same device.
class MouseModel final : public CommandDeviceModel
{
public:
    static constexpr int kDpiStages = 8;
    static constexpr int kButtonBytes = 64;
    static constexpr int kStageColourBytes = 24;
    static constexpr int kProfiles = 5;
    static constexpr int kProfileBytes = 128;
    static constexpr int kMacroSlots = 12;
    static constexpr int kLongMacroBytes = 192;
    static constexpr int kShortMacroBytes = 128;
    static constexpr int kKeyMatrixBytes = 128;

    explicit MouseModel(int reportLength);

    QByteArray dpiStages() const { return m_dpiStages; }
    quint8 dpiMask() const { return m_dpiMask; }
    quint8 dpiMultiplier() const { return m_dpiMultiplier; }
    quint8 currentStage() const { return m_currentStage; }
    quint8 reportRate() const { return m_reportRate; }
    QByteArray buttons() const { return m_buttons; }
    QByteArray stageColours() const { return m_stageColours; }
    QByteArray profile(int number) const { return m_profiles.value(number); }
    quint8 currentProfile() const { return m_currentProfile; }
    QByteArray longMacro(int slot) const { return m_longMacros.value(slot); }
    QByteArray shortMacro(int slot) const { return m_shortMacros.value(slot); }
    QByteArray gunData() const { return m_gunData; }
    QByteArray keyboardOptions() const { return m_options; }
    QByteArray keyMatrix() const { return m_keyMatrix; }
    quint8 keyMatrixIndex() const { return m_keyMatrixIndex; }

protected:
    QString kind() const override { return QStringLiteral("mouse"); }
    void describe(QJsonObject &state) const override;

private:
    void setArmReportRate(const DeviceRequest &request);
    void setRepeatedReportRate(const DeviceRequest &request);
    void setKeyboardOptions(const DeviceRequest &request);
    void setCurrentProfile(const DeviceRequest &request);
    void setButtons(const DeviceRequest &request);
    void setGunData(const DeviceRequest &request);
    void setRepeatedCurrentStage(const DeviceRequest &request);
    void setLongMacro(const DeviceRequest &request);
    void setLowDpiStages(const DeviceRequest &request);
    void setHighDpiStages(const DeviceRequest &request);
    void setCurrentStage(const DeviceRequest &request);
    void setStageColours(const DeviceRequest &request);
    void setProfile(const DeviceRequest &request);
    void setKeyMatrix(const DeviceRequest &request);
    void setShortMacro(const DeviceRequest &request);
    void answerKeyboardOptions(const DeviceRequest &request);
    void answerCurrentProfile(const DeviceRequest &request);
    void answerRepeatedCurrentStage(const DeviceRequest &request);
    void answerCurrentStage(const DeviceRequest &request);
    void answerProfile(const DeviceRequest &request);

    QByteArray m_dpiStages = QByteArray(kDpiStages, '\0');
    quint8 m_dpiMask = 0;
    quint8 m_dpiMultiplier = 0;
    quint8 m_currentStage = 0;
    quint8 m_reportRate = 0;
    QByteArray m_buttons = QByteArray(kButtonBytes, '\0');
    QByteArray m_stageColours = QByteArray(kStageColourBytes, '\0');
    QList<QByteArray> m_profiles = QList<QByteArray>(kProfiles, QByteArray(kProfileBytes, '\0'));
    quint8 m_currentProfile = 0;
    QList<QByteArray> m_longMacros = QList<QByteArray>(kMacroSlots, QByteArray(kLongMacroBytes, '\0'));
    QList<QByteArray> m_shortMacros = QList<QByteArray>(kMacroSlots, QByteArray(kShortMacroBytes, '\0'));
    QByteArray m_gunData = QByteArray(4, '\0');
    QByteArray m_options = QByteArray(2, '\0');
    QByteArray m_keyMatrix = QByteArray(kKeyMatrixBytes, '\0');
    quint8 m_keyMatrixIndex = 0;
};
