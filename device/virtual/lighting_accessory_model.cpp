#include "lighting_accessory_model.h"

LightingAccessoryModel::LightingAccessoryModel(int reportLength) : CommandDeviceModel(reportLength)
{
    setCommands({
        // opcode, layout, checksum, data block, handler
        {0x01, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&LightingAccessoryModel::setEffect)},
    });
}

// 01 mode speed brightness red green blue
void LightingAccessoryModel::setEffect(const DeviceRequest &request)
{
    m_effect = {request.at(2), request.at(3), request.at(4), request.at(5), request.at(6), request.at(7)};
}

void LightingAccessoryModel::describe(QJsonObject &state) const
{
    state.insert(QStringLiteral("mode"), m_effect.mode);
    state.insert(QStringLiteral("speed"), m_effect.speed);
    state.insert(QStringLiteral("brightness"), m_effect.brightness);
    state.insert(QStringLiteral("red"), m_effect.red);
    state.insert(QStringLiteral("green"), m_effect.green);
    state.insert(QStringLiteral("blue"), m_effect.blue);
}
