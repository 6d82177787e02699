#pragma once
#include "command_device_model.h"

// The keyboard: its key matrix, five macro slots, five user pictures, the
// lighting effect, eight stage colours, the keyboard-option bytes and the
// current key matrix.
class KeyboardModel final : public CommandDeviceModel
{
public:
    static constexpr int kKeyMatrixBytes = 512;
    static constexpr int kMacroSlots = 5;
    static constexpr int kMacroBytes = 512;
    static constexpr int kPictures = 5;
    static constexpr int kPictureBytes = 128;
    static constexpr int kStageColourBytes = 24;

    struct Effect
    {
        quint8 mode = 0, speed = 0, brightness = 0, colour = 0, direction = 0;
    };

    explicit KeyboardModel(int reportLength);

    QByteArray keyMatrix() const { return m_keyMatrix; }
    QByteArray macro(int slot) const { return m_macros.value(slot); }
    QByteArray picture(int index) const { return m_pictures.value(index); }
    Effect effect() const { return m_effect; }
    QByteArray stageColours() const { return m_stageColours; }
    QByteArray keyboardOptions() const { return m_options; }
    quint8 currentKeyMatrix() const { return m_currentKeyMatrix; }

protected:
    QString kind() const override { return QStringLiteral("keyboard"); }
    void describe(QJsonObject &state) const override;

private:
    void setKeyMatrix(const DeviceRequest &request);
    void setMacro(const DeviceRequest &request);
    void setPicture(const DeviceRequest &request);
    void setEffect(const DeviceRequest &request);
    void setStageColours(const DeviceRequest &request);
    void setKeyboardOptions(const DeviceRequest &request);
    void setCurrentKeyMatrix(const DeviceRequest &request);
    void answerKeyboardOptions(const DeviceRequest &request);

    QByteArray m_keyMatrix = QByteArray(kKeyMatrixBytes, '\0');
    QList<QByteArray> m_macros = QList<QByteArray>(kMacroSlots, QByteArray(kMacroBytes, '\0'));
    QList<QByteArray> m_pictures = QList<QByteArray>(kPictures, QByteArray(kPictureBytes, '\0'));
    Effect m_effect;
    QByteArray m_stageColours = QByteArray(kStageColourBytes, '\0');
    QByteArray m_options = QByteArray(4, '\0');
    quint8 m_currentKeyMatrix = 0;
};
