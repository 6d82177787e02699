#include "mousepad_model.h"

namespace {
constexpr quint8 kDirectionalMode = 3;
}

MousepadModel::MousepadModel(int reportLength) : CommandDeviceModel(reportLength)
{
    setCommands({
        // opcode, layout, checksum, data block, handler
        {0x08, anyLayout(), Checksum::None, BlockSize::none(), handler(&MousepadModel::setEffect)},
    });
}

// 08 mode brightness speed X red green blue; X is the direction in the
// directional mode and colour × 16 in every other.
void MousepadModel::setEffect(const DeviceRequest &request)
{
    const quint8 mode = request.at(2);
    const quint8 shared = request.at(5);
    m_effect.mode = mode;
    m_effect.brightness = request.at(3);
    m_effect.speed = request.at(4);
    if (mode == kDirectionalMode)
        m_effect.direction = shared;
    else
        m_effect.colour = shared >> 4;
    m_effect.red = request.at(6);
    m_effect.green = request.at(7);
    m_effect.blue = request.at(8);
}

void MousepadModel::describe(QJsonObject &state) const
{
    state.insert(QStringLiteral("mode"), m_effect.mode);
    state.insert(QStringLiteral("brightness"), m_effect.brightness);
    state.insert(QStringLiteral("speed"), m_effect.speed);
    state.insert(QStringLiteral("direction"), m_effect.direction);
    state.insert(QStringLiteral("colour"), m_effect.colour);
    state.insert(QStringLiteral("red"), m_effect.red);
    state.insert(QStringLiteral("green"), m_effect.green);
    state.insert(QStringLiteral("blue"), m_effect.blue);
}
