#include "keyboard_model.h"

#include "state_json.h"

#include <QJsonObject>

KeyboardModel::KeyboardModel(int reportLength) : CommandDeviceModel(reportLength)
{
    // Opcode 08 also names a lighting report of the same controller family;
    // the key-matrix report carries nothing but its length byte (byte 4), so
    // a report with anything else in bytes 2, 3 and 5 to 8 is not one.
    // Opcode 0C is the stage-colour report of the ARM family, "0C 00 00 01".
    setCommands({
        // opcode, layout, checksum, data block, handler
        {0x02, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&KeyboardModel::setCurrentKeyMatrix)},
        {0x03, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&KeyboardModel::setKeyboardOptions)},
        {0x06, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&KeyboardModel::setEffect)},
        {0x08, bytesAre(2, "0000??00000000"), Checksum::None, BlockSize::lengthIn64ByteUnits(4), handler(&KeyboardModel::setKeyMatrix)},
        {0x0A, anyLayout(), Checksum::None, BlockSize::lengthIn64ByteUnits(4), handler(&KeyboardModel::setMacro)},
        {0x0B, anyLayout(), Checksum::None, BlockSize::lengthIn64ByteUnits(4), handler(&KeyboardModel::setPicture)},
        {0x0C, bytesAre(2, "000001"), Checksum::Checked, BlockSize::fixed(kStageColourBytes),
         handler(&KeyboardModel::setStageColours)},
        {0x30, bytesAre(6, "55aa"), Checksum::Checked, BlockSize::fixed(kStageColourBytes),
         handler(&KeyboardModel::setStageColours)},
        {0x83, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&KeyboardModel::answerKeyboardOptions)},
    });
}

void KeyboardModel::setKeyMatrix(const DeviceRequest &request) { storeBlock(m_keyMatrix, request.block); }

void KeyboardModel::setMacro(const DeviceRequest &request) // 0A 00 slot len
{
    const int slot = request.at(3);
    if (slot >= kMacroSlots)
        return ignore();
    storeBlock(m_macros[slot], request.block);
}

void KeyboardModel::setPicture(const DeviceRequest &request) // 0B 00 index len
{
    const int index = request.at(3);
    if (index >= kPictures)
        return ignore();
    storeBlock(m_pictures[index], request.block);
}

void KeyboardModel::setEffect(const DeviceRequest &request) // 06 00 mode speed brightness colour direction
{
    m_effect = {request.at(3), request.at(4), request.at(5), request.at(6), request.at(7)};
}

void KeyboardModel::setStageColours(const DeviceRequest &request) { storeBlock(m_stageColours, request.block); }

void KeyboardModel::setKeyboardOptions(const DeviceRequest &request) { m_options = request.report.mid(2, 4); }

void KeyboardModel::setCurrentKeyMatrix(const DeviceRequest &request) { m_currentKeyMatrix = request.at(2); }

void KeyboardModel::answerKeyboardOptions(const DeviceRequest &) { answerWith(2, m_options); }

void KeyboardModel::describe(QJsonObject &state) const
{
    state.insert(QStringLiteral("keyMatrix"), hexValue(m_keyMatrix));
    state.insert(QStringLiteral("macros"), hexArray(m_macros));
    state.insert(QStringLiteral("pictures"), hexArray(m_pictures));
    state.insert(QStringLiteral("effect"), QJsonObject{{QStringLiteral("mode"), m_effect.mode},
                                                       {QStringLiteral("speed"), m_effect.speed},
                                                       {QStringLiteral("brightness"), m_effect.brightness},
                                                       {QStringLiteral("colour"), m_effect.colour},
                                                       {QStringLiteral("direction"), m_effect.direction}});
    state.insert(QStringLiteral("stageColours"), hexValue(m_stageColours));
    state.insert(QStringLiteral("keyboardOptions"), hexValue(m_options));
    state.insert(QStringLiteral("currentKeyMatrix"), m_currentKeyMatrix);
}
