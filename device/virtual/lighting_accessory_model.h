#pragma once
#include "command_device_model.h"

// The lighting accessory's command interface keeps one lighting effect.
class LightingAccessoryModel final : public CommandDeviceModel
{
public:
    struct Effect
    {
        quint8 mode = 0, speed = 0, brightness = 0, red = 0, green = 0, blue = 0;
    };

    explicit LightingAccessoryModel(int reportLength);
    Effect effect() const { return m_effect; }

protected:
    QString kind() const override { return QStringLiteral("lightingAccessory"); }
    void describe(QJsonObject &state) const override;

private:
    void setEffect(const DeviceRequest &request);

    Effect m_effect;
};
