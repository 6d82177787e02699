#include "update_texts.h"

#include <QLocale>
#include <QMap>

namespace {
struct Pair {
    const char *english;
    const char *chinese;
};

const QMap<UpdateText, Pair> &table()
{
    static const QMap<UpdateText, Pair> texts = {
        {UpdateText::WindowTitle, {"Firmware update: %1", "固件更新：%1"}},
        {UpdateText::Intro,
         {"This replaces the firmware of your VORTAN %1 keyboard. The image you choose is checked first, and "
          "nothing on the keyboard changes before it is in its update mode and you have started the update. "
          "Keep the keyboard plugged in until this window says the update has finished.",
          "此程序将更换 VORTAN %1 键盘的固件。所选映像会先经过检查；在键盘进入更新模式并且您开始更新之前，键盘上的任何内容都不会改变。"
          "在此窗口提示更新完成之前，请不要拔下键盘。"}},
        {UpdateText::StepChoose, {"Choose the firmware image", "选择固件映像"}},
        {UpdateText::StepCheck, {"Check the image", "检查映像"}},
        {UpdateText::StepUpdateMode, {"Put the keyboard into its update mode", "让键盘进入更新模式"}},
        {UpdateText::StepWrite, {"Erase, write and verify the firmware", "擦除、写入并校验固件"}},
        {UpdateText::StepRestart, {"Restart the keyboard", "重新启动键盘"}},
        {UpdateText::ImageLabel, {"Firmware image:", "固件映像："}},
        {UpdateText::ChooseButton, {"Choose…", "选择…"}},
        {UpdateText::StartButton, {"Start update", "开始更新"}},
        {UpdateText::CancelButton, {"Cancel", "取消"}},
        {UpdateText::CloseButton, {"Close", "关闭"}},
        {UpdateText::DialogTitle, {"Choose the firmware image", "选择固件映像"}},
        {UpdateText::DialogFilter,
         {"Firmware images (*.hex *.ihx *.bin *.txt);;All files (*)", "固件映像 (*.hex *.ihx *.bin *.txt);;所有文件 (*)"}},
        {UpdateText::ChooseFirst,
         {"Choose the firmware image for the %1 keyboard: an Intel HEX file or a binary image.",
          "请为 %1 键盘选择固件映像：Intel HEX 文件或二进制映像。"}},
        {UpdateText::ImageGood,
         {"The image is good: %1 bytes (%2) at %3. It fits the keyboard's flash. Press \"Start update\" when you are "
          "ready.",
          "映像检查通过：%1 字节（%2），地址 %3，适合键盘的闪存。准备好后请按“开始更新”。"}},
        {UpdateText::ImageRefused,
         {"This image cannot be used: %1. Nothing was written; the keyboard is unchanged. Choose another image.",
          "无法使用此映像：%1。没有写入任何内容；键盘保持不变。请选择其他映像。"}},
        {UpdateText::FormatHex, {"Intel HEX", "Intel HEX"}},
        {UpdateText::FormatRaw, {"binary image", "二进制映像"}},
        {UpdateText::HowToUpdateMode,
         {"Put the keyboard into its update mode: unplug it, then plug it back in while you hold down Esc (the "
          "keyboard's manual tells more).",
          "让键盘进入更新模式：拔下键盘，然后按住 Esc 键的同时重新插上（详见键盘说明书）。"}},
        {UpdateText::WaitingForBootLoader,
         {"Waiting for the keyboard in its update mode… The update starts by itself as soon as it is found.",
          "正在等待处于更新模式的键盘… 找到后更新会自动开始。"}},
        {UpdateText::SeveralWhileWaiting,
         {"%1 keyboards in their update mode are connected; the update needs exactly one. Unplug all of them but the "
          "keyboard to update.",
          "连接着 %1 个处于更新模式的键盘；更新时只能连接一个。请只保留要更新的键盘，拔下其余的。"}},
        {UpdateText::Erasing, {"Erasing the old firmware…", "正在擦除旧固件…"}},
        {UpdateText::BlankChecking, {"Checking the erased flash…", "正在检查已擦除的闪存…"}},
        {UpdateText::Writing, {"Writing the new firmware…", "正在写入新固件…"}},
        {UpdateText::Verifying, {"Checking the new firmware…", "正在校验新固件…"}},
        {UpdateText::Restarting, {"Restarting the keyboard…", "正在重新启动键盘…"}},
        {UpdateText::WaitingForKeyboard,
         {"The new firmware was written and verified. Waiting for the keyboard to restart…",
          "新固件已写入并校验通过。正在等待键盘重新启动…"}},
        {UpdateText::KeyboardBack,
         {"Done. The keyboard restarted with its new firmware and is back as your %1 keyboard (USB %2:%3). You can "
          "close this window.",
          "完成。键盘已以新固件重新启动，并已作为您的 %1 键盘（USB %2:%3）重新连接。您可以关闭此窗口。"}},
        {UpdateText::KeyboardNotBack,
         {"The new firmware was written and verified, and the keyboard was told to restart, but it has not come back "
          "as a %1 keyboard (USB %2:%3). Unplug it and plug it in again.",
          "新固件已写入并校验通过，键盘也已收到重新启动的命令，但它没有作为 %1 键盘（USB %2:%3）重新连接。请拔下键盘后重新插上。"}},
        {UpdateText::DoneUnconfirmed,
         {"The new firmware was written and verified, and the keyboard restarts with it.",
          "新固件已写入并校验通过，键盘将以新固件重新启动。"}},
        {UpdateText::StopTitle, {"Stop the update?", "停止更新？"}},
        {UpdateText::StopQuestion,
         {"The keyboard is being updated. If you stop now, the update ends at the next safe point and the keyboard "
          "may be left in its update mode with incomplete firmware; you can run the update again later. Stop the "
          "update?",
          "正在更新键盘。如果现在停止，更新将在下一个安全点结束，键盘可能处于更新模式且固件不完整；您之后可以再次运行更新。要停止更新吗？"}},
        {UpdateText::StopButton, {"Stop the update", "停止更新"}},
        {UpdateText::ContinueButton, {"Continue", "继续"}},
        {UpdateText::Stopping, {"Stopping at the next safe point…", "正在下一个安全点停止…"}},
        {UpdateText::AlreadyRunning,
         {"A firmware update is already running. Wait for it to finish before you start another.",
          "已经有一个固件更新正在运行。请等它完成后再开始新的更新。"}},
        {UpdateText::NoEdition,
         {"This program updates VORTAN keyboards and must be started under the name of a keyboard edition "
          "(tarnelUK, sovrinUK, tarnelUS, sovrinUS or dusken).",
          "此程序用于更新 VORTAN 键盘，必须以键盘型号的名称启动（tarnelUK、sovrinUK、tarnelUS、sovrinUS 或 dusken）。"}},
        {UpdateText::LockFailed,
         {"The update cannot start: %1. Nothing was written; the keyboard is unchanged.",
          "无法开始更新：%1。没有写入任何内容；键盘保持不变。"}},
        {UpdateText::FailedHeading, {"The update did not finish", "更新未完成"}},
        {UpdateText::DoneHeading, {"Update finished", "更新完成"}},
    };
    return texts;
}
} // namespace

QString updateText(UpdateText id, firmware::Language language)
{
    const Pair pair = table().value(id, Pair{"", ""});
    return QString::fromUtf8(language == firmware::Language::Chinese ? pair.chinese : pair.english);
}

firmware::Language updateLanguage()
{
    const QString chosen = qEnvironmentVariable("GEARCONSOLE_LANGUAGE");
    if (chosen == QLatin1String("ChineseSimplified"))
        return firmware::Language::Chinese;
    if (!chosen.isEmpty())
        return firmware::Language::English;
    return QLocale::system().language() == QLocale::Chinese ? firmware::Language::Chinese : firmware::Language::English;
}
