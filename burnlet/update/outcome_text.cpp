// The words for an outcome: what happened, the keyboard's state, what to do next. Each
// table row gives the English and the Chinese text.
#include "outcome.h"

#include "burnlet.h"

#include <string>

namespace firmware {

namespace {

struct Text {
    const char *english;
    const char *chinese;

    std::string in(Language language) const { return language == Language::Chinese ? chinese : english; }
};

// What happened, by cause.
const Text kWhat[] = {
    /* None */ {"", ""},
    /* AnotherUpdate */ {"Another firmware update is running on this computer.", "本机上正在进行另一个固件更新。"},
    /* NoBootLoader */ {"No keyboard in its update mode was found.", "没有找到处于更新模式的键盘。"},
    /* SeveralBootLoaders */ {"%n keyboards in their update mode are connected; an update needs exactly one.",
                              "连接着 %n 个处于更新模式的键盘；更新时只能连接一个。"},
    /* CannotOpen */ {"The keyboard in its update mode was found, but this user may not open it.",
                      "找到了处于更新模式的键盘，但当前用户无权打开它。"},
    /* NotAnswering */ {"The keyboard in its update mode did not answer.", "处于更新模式的键盘没有应答。"},
    /* NoMarker */ {"A device with the update mode's USB ids (04D9:8022) answered, but not as the keyboard's boot "
                    "loader: its status lacks the update-mode marker.",
                    "一个带有更新模式 USB 标识 (04D9:8022) 的设备应答了，但它不是键盘的引导程序：其状态中没有更新模式标记。"},
    /* DeviceFailed */ {"%s failed: %c.", "%s失败：%c。"},
    /* NotBlank */ {"The erased flash did not read blank.", "擦除后的闪存检查结果不为空。"},
    /* VerifyMismatch */ {"The firmware on the keyboard does not match the image.", "键盘上的固件与映像不一致。"},
    /* Stopped */ {"The update was stopped on request.", "更新已按要求停止。"},
};

// The step a failure happened in, as the subject of "... failed".
const Text kStep[] = {
    /* Preparing */ {"Preparing the update", "准备更新"},
    /* Connecting */ {"Connecting to the keyboard", "连接键盘"},
    /* Erasing */ {"Erasing the old firmware", "擦除旧固件"},
    /* BlankChecking */ {"Checking the erased flash", "检查已擦除的闪存"},
    /* Programming */ {"Writing the new firmware", "写入新固件"},
    /* Verifying */ {"Checking the new firmware", "校验新固件"},
    /* Restarting */ {"Restarting the keyboard", "重新启动键盘"},
    /* Finished */ {"The update", "更新"},
};

// What a result code means, briefly.
struct CodeText {
    uint32_t code;
    Text text;
};
const CodeText kCodes[] = {
    {BURNLET_TRANSFER_FAILED, {"the keyboard stopped answering (254)", "键盘不再应答 (254)"}},
    {BURNLET_BUSY_TIMEOUT, {"the keyboard stayed busy (38)", "键盘一直处于忙碌状态 (38)"}},
    {BURNLET_CONTROL_NOT_CLEARED, {"the keyboard did not get ready to take data (39)", "键盘未能准备好接收数据 (39)"}},
    {BURNLET_VERIFY_FAILED, {"the flash differs from the image (43)", "闪存内容与映像不同 (43)"}},
    {BURNLET_NOT_BLANK, {"the flash is not blank (44)", "闪存不为空 (44)"}},
    {BURNLET_PROGRESS_TIMEOUT, {"the keyboard did not confirm the data it was sent (45)", "键盘没有确认收到的数据 (45)"}},
};

// The keyboard's state.
const Text kUnchanged = {"Nothing was written; the keyboard is unchanged.", "没有写入任何内容；键盘保持不变。"};
const Text kIncomplete = {"The keyboard is in its update mode with incomplete firmware.",
                          "键盘处于更新模式，其固件不完整。"};
const Text kIncompleteGone = {"The keyboard's firmware is incomplete, and the keyboard is no longer connected (was it "
                              "unplugged?).",
                              "键盘的固件不完整，且键盘已不再连接（是否被拔下？）。"};
const Text kWrittenUnverified = {"The whole new firmware was written, but the check of it did not finish, so the "
                                 "keyboard was not restarted into it: it is in its update mode.",
                                 "新固件已全部写入，但校验未能完成，因此键盘没有以新固件重新启动：它仍处于更新模式。"};
const Text kWrittenUnverifiedGone = {"The whole new firmware was written, but the keyboard went away while it was being "
                                     "checked (was it unplugged?), so it is unverified.",
                                     "新固件已全部写入，但在校验过程中键盘断开了（是否被拔下？），因此固件未经校验。"};
const Text kVerifyFailed = {"The keyboard was not restarted into it and is in its update mode.",
                            "键盘没有以此固件重新启动，仍处于更新模式。"};
const Text kRestartedVerified = {"The new firmware was written and verified, and the keyboard restarts with it.",
                                 "新固件已写入并校验通过，键盘将以新固件重新启动。"};
const Text kRestartedUnverified = {"The new firmware was written without being checked, and the keyboard restarts with "
                                   "it.",
                                   "新固件已写入（未校验），键盘将以新固件重新启动。"};

// What to do next.
const Text kRunAgainPlugged = {"It is safe to run the update again without unplugging it.",
                               "可以放心地再次运行更新，无需拔下键盘。"};
const Text kRunAgainGone = {"Plug it in again (with incomplete firmware it starts in its update mode; if not, put it "
                            "into its update mode) and run the update again.",
                            "请重新插上键盘（固件不完整时它会以更新模式启动；如果没有，请让它进入更新模式），然后再次运行更新。"};
const Text kCheckAgainGone = {"Plug it in again in its update mode and run the update again, so that the new firmware "
                              "is checked.",
                              "请以更新模式重新插上键盘并再次运行更新，以便校验新固件。"};
const Text kAfterMismatch = {"If the check fails again, the image may not be meant for this keyboard.",
                             "如果再次校验失败，该映像可能不适用于此键盘。"};
const Text kAfterNotBlank = {"If this happens again, the keyboard's flash may be faulty.",
                             "如果再次发生，键盘的闪存可能有故障。"};
const Text kWaitForOther = {"Wait until it has finished, then try again.", "请等它完成后再试。"};
const Text kPutInUpdateMode = {"Put the keyboard into its update mode, then try again.",
                               "请让键盘进入更新模式，然后再试。"};
const Text kUnplugOthers = {"Unplug all of them but the keyboard to update, then try again.",
                            "请只保留要更新的键盘，拔下其余的，然后再试。"};
const Text kPermission = {"Install the program's device rule (or run the update as an administrator), then try again.",
                          "请安装本程序的设备规则（或以管理员身份运行更新），然后再试。"};
const Text kReplug = {"Unplug the keyboard, put it into its update mode again and try again.",
                      "请拔下键盘，重新让它进入更新模式，然后再试。"};
const Text kOtherDevice = {"Unplug that device, put the keyboard into its update mode and try again.",
                           "请拔下该设备，让键盘进入更新模式，然后再试。"};
const Text kNothingToDo = {"", ""};

std::string replaced(std::string text, const std::string &marker, const std::string &value)
{
    const size_t at = text.find(marker);
    if (at != std::string::npos)
        text.replace(at, marker.size(), value);
    return text;
}

std::string codeMeaning(uint32_t code, Language language)
{
    for (const CodeText &known : kCodes) {
        if (known.code == code)
            return known.text.in(language);
    }
    return (language == Language::Chinese ? "错误代码 " : "result code ") + std::to_string(code);
}

std::string whatHappened(const Outcome &outcome, Language language)
{
    std::string text = kWhat[static_cast<int>(outcome.cause)].in(language);
    text = replaced(text, "%n", std::to_string(outcome.bootLoaders));
    text = replaced(text, "%s", kStep[static_cast<int>(outcome.stage)].in(language));
    text = replaced(text, "%c", codeMeaning(outcome.code, language));
    return text;
}

const Text &nextStep(const Outcome &outcome)
{
    switch (outcome.cause) {
    case Cause::None:
        return kNothingToDo;
    case Cause::AnotherUpdate:
        return kWaitForOther;
    case Cause::NoBootLoader:
        return kPutInUpdateMode;
    case Cause::SeveralBootLoaders:
        return kUnplugOthers;
    case Cause::CannotOpen:
        return kPermission;
    case Cause::NotAnswering:
        return kReplug;
    case Cause::NoMarker:
        return kOtherDevice;
    case Cause::DeviceFailed:
    case Cause::NotBlank:
    case Cause::VerifyMismatch:
    case Cause::Stopped:
        break;
    }
    if (outcome.state == KeyboardState::Unchanged)
        return outcome.deviceGone ? kPutInUpdateMode : kNothingToDo;
    if (outcome.state == KeyboardState::WrittenUnverified && outcome.deviceGone)
        return kCheckAgainGone;
    return outcome.deviceGone ? kRunAgainGone : kRunAgainPlugged;
}

// A further word after the next step, for a failure that may come back.
const Text *caution(const Outcome &outcome)
{
    if (outcome.cause == Cause::VerifyMismatch)
        return &kAfterMismatch;
    if (outcome.cause == Cause::NotBlank)
        return &kAfterNotBlank;
    return nullptr;
}

void append(std::string &text, const std::string &sentence, Language language)
{
    if (sentence.empty())
        return;
    if (!text.empty() && language == Language::English)
        text += ' ';
    text += sentence;
}

}  // namespace

std::string describeState(const Outcome &outcome, Language language)
{
    switch (outcome.state) {
    case KeyboardState::Unchanged:
        return kUnchanged.in(language);
    case KeyboardState::Incomplete:
        return (outcome.deviceGone ? kIncompleteGone : kIncomplete).in(language);
    case KeyboardState::WrittenUnverified:
        return (outcome.deviceGone ? kWrittenUnverifiedGone : kWrittenUnverified).in(language);
    case KeyboardState::VerifyFailed:
        return kVerifyFailed.in(language);
    case KeyboardState::Restarted:
        return (outcome.verified ? kRestartedVerified : kRestartedUnverified).in(language);
    }
    return {};
}

std::string describeOutcome(const Outcome &outcome, Language language)
{
    std::string text;
    append(text, whatHappened(outcome, language), language);
    append(text, describeState(outcome, language), language);
    append(text, nextStep(outcome).in(language), language);
    if (const Text *more = caution(outcome))
        append(text, more->in(language), language);
    return text;
}

}  // namespace firmware
