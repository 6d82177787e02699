#include "mouse_model.h"

#include "state_json.h"

#include <QJsonObject>

MouseModel::MouseModel(int reportLength) : CommandDeviceModel(reportLength)
{
    // Where families share an opcode, the report's fixed bytes decide:
    //   01  ARM report rate "01 rate 03 03 0F"; 560 options "01 b1 b2 00 00 00 00"
    //   03  ARM button block "03 00 00 01"; 560 report rate "03 n rate", n = 1..4
    //   04  553 gun data "04 00 b1 b2 b3 b4"; 560 current stage "04 n stage", n = 1..4
    //   0C  ARM stage colours "0C 00 00 01"; 560 profile "0C profile 80"
    // Reports that fit none of the layouts are ignored.
    setCommands({
        // opcode, layout, checksum, data block, handler
        {0x01, bytesAre(3, "03030f"), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setArmReportRate)},
        {0x01, bytesAre(4, "00000000"), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setKeyboardOptions)},
        {0x02, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setCurrentProfile)},
        {0x03, bytesAre(2, "000001000000"), Checksum::Checked, BlockSize::lengthIn64ByteUnits(4),
         handler(&MouseModel::setButtons)},
        {0x03, byteIn(2, 1, 4), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setRepeatedReportRate)},
        {0x04, bytesAre(2, "00"), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setGunData)},
        {0x04, byteIn(2, 1, 4), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setRepeatedCurrentStage)},
        {0x05, bytesAre(2, "00"), Checksum::Checked, BlockSize::lengthIn64ByteUnits(4),
         handler(&MouseModel::setLongMacro)},
        {0x07, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setLowDpiStages)},
        {0x08, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setHighDpiStages)},
        {0x0B, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::setCurrentStage)},
        {0x0C, bytesAre(2, "000001000000"), Checksum::Checked, BlockSize::fixed(kStageColourBytes),
         handler(&MouseModel::setStageColours)},
        {0x0C, bytesAre(3, "80"), Checksum::Checked, BlockSize::lengthByte(3), handler(&MouseModel::setProfile)},
        {0x0D, bytesAre(3, "80"), Checksum::Checked, BlockSize::lengthByte(3), handler(&MouseModel::setKeyMatrix)},
        {0x0F, bytesAre(3, "80"), Checksum::Checked, BlockSize::lengthByte(3), handler(&MouseModel::setShortMacro)},
        {0x81, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::answerKeyboardOptions)},
        {0x82, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::answerCurrentProfile)},
        {0x84, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::answerRepeatedCurrentStage)},
        {0x8B, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::answerCurrentStage)},
        {0x8C, anyLayout(), Checksum::Checked, BlockSize::none(), handler(&MouseModel::answerProfile)},
    });
}

// Writing commands.

void MouseModel::setArmReportRate(const DeviceRequest &request) { m_reportRate = request.at(2); }

// The 560 family sends the same value four times (n = 1..4), or once.
void MouseModel::setRepeatedReportRate(const DeviceRequest &request) { m_reportRate = request.at(3); }

void MouseModel::setKeyboardOptions(const DeviceRequest &request) { m_options = request.report.mid(2, 2); }

void MouseModel::setCurrentProfile(const DeviceRequest &request) { m_currentProfile = request.at(2); }

void MouseModel::setButtons(const DeviceRequest &request) { storeBlock(m_buttons, request.block); }

void MouseModel::setGunData(const DeviceRequest &request) { m_gunData = request.report.mid(3, 4); }

void MouseModel::setRepeatedCurrentStage(const DeviceRequest &request) { m_currentStage = request.at(3); }

void MouseModel::setLongMacro(const DeviceRequest &request) // 05 00 slot 03
{
    const int slot = request.at(3);
    if (slot >= kMacroSlots)
        return ignore();
    storeBlock(m_longMacros[slot], request.block);
}

void MouseModel::setLowDpiStages(const DeviceRequest &request) // 07 current mask dpi0..dpi3
{
    m_currentStage = request.at(2);
    m_dpiMask = request.at(3);
    m_dpiStages.replace(0, 4, request.report.mid(4, 4));
}

void MouseModel::setHighDpiStages(const DeviceRequest &request) // 08 dpi4..dpi7 multiplier
{
    m_dpiStages.replace(4, 4, request.report.mid(2, 4));
    m_dpiMultiplier = request.at(6);
}

void MouseModel::setCurrentStage(const DeviceRequest &request) { m_currentStage = request.at(2); }

void MouseModel::setStageColours(const DeviceRequest &request) { storeBlock(m_stageColours, request.block); }

void MouseModel::setProfile(const DeviceRequest &request) // 0C profile 80
{
    const int number = request.at(2);
    if (number >= kProfiles)
        return ignore();
    storeBlock(m_profiles[number], request.block);
}

void MouseModel::setKeyMatrix(const DeviceRequest &request) // 0D index 80
{
    m_keyMatrixIndex = request.at(2);
    storeBlock(m_keyMatrix, request.block);
}

void MouseModel::setShortMacro(const DeviceRequest &request) // 0F slot 80
{
    const int slot = request.at(2);
    if (slot >= kMacroSlots)
        return ignore();
    storeBlock(m_shortMacros[slot], request.block);
}

// Reading commands.

void MouseModel::answerKeyboardOptions(const DeviceRequest &) { answerWith(2, m_options); }

void MouseModel::answerCurrentProfile(const DeviceRequest &) { answerWith(2, QByteArray(1, char(m_currentProfile))); }

// "84 n": the answer repeats n in byte 2 and carries the stage in byte 3.
void MouseModel::answerRepeatedCurrentStage(const DeviceRequest &request)
{
    const char answer[] = {char(request.at(2)), char(m_currentStage)};
    answerWith(2, QByteArray(answer, sizeof answer));
}

void MouseModel::answerCurrentStage(const DeviceRequest &) { answerWith(2, QByteArray(1, char(m_currentStage))); }

// "8C profile": the answer report, then the profile as input reports. A
// profile the mouse does not have gets no data.
void MouseModel::answerProfile(const DeviceRequest &request)
{
    const int number = request.at(2);
    if (number >= kProfiles)
        return ignore();
    sendBlock(m_profiles.at(number));
}

void MouseModel::describe(QJsonObject &state) const
{
    state.insert(QStringLiteral("dpiStages"), hexValue(m_dpiStages));
    state.insert(QStringLiteral("dpiMask"), m_dpiMask);
    state.insert(QStringLiteral("dpiMultiplier"), m_dpiMultiplier);
    state.insert(QStringLiteral("currentStage"), m_currentStage);
    state.insert(QStringLiteral("reportRate"), m_reportRate);
    state.insert(QStringLiteral("buttons"), hexValue(m_buttons));
    state.insert(QStringLiteral("stageColours"), hexValue(m_stageColours));
    state.insert(QStringLiteral("profiles"), hexArray(m_profiles));
    state.insert(QStringLiteral("currentProfile"), m_currentProfile);
    state.insert(QStringLiteral("macros192"), hexArray(m_longMacros));
    state.insert(QStringLiteral("macros128"), hexArray(m_shortMacros));
    state.insert(QStringLiteral("gunData"), hexValue(m_gunData));
    state.insert(QStringLiteral("keyboardOptions"), hexValue(m_options));
    state.insert(QStringLiteral("keyMatrix"), hexValue(m_keyMatrix));
    state.insert(QStringLiteral("keyMatrixIndex"), m_keyMatrixIndex);
}
