#pragma once
#include "command_device_model.h"

// The mousepad keeps one lighting effect. Its effect report carries no
// checksum: byte 8 is the blue part of the colour.
class MousepadModel final : public CommandDeviceModel
{
public:
    struct Effect
    {
        quint8 mode = 0, brightness = 0, speed = 0;
        quint8 direction = 0;  // taken when the mode is 3
        quint8 colour = 0;     // taken otherwise, from the high nibble
        quint8 red = 0, green = 0, blue = 0;
    };

    explicit MousepadModel(int reportLength);
    Effect effect() const { return m_effect; }

protected:
    QString kind() const override { return QStringLiteral("mousepad"); }
    void describe(QJsonObject &state) const override;

private:
    void setEffect(const DeviceRequest &request);

    Effect m_effect;
};
