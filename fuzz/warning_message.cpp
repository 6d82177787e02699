// The warning channel's message framing: the bytes a sender writes arrive in
// pieces of any size (the first input byte picks the piece size) and are
// split into messages as the socket's buffer fills. Each message must be
// whole, and each decoded message must encode and decode again unchanged.
#include "fuzz_support.h"
#include "platform/copy_data_channel.h"

namespace {
void checkMessage(const CopyDataMessage &message)
{
    if (message.cbData > CopyDataChannel::kMaxBytes || message.lpData.size() != qsizetype(message.cbData) + 1)
        __builtin_trap();
    const std::optional<QString> text = warningTextOf(message);
    if (text && quint32(text->toUtf8().size()) != message.cbData)
        __builtin_trap();

    QByteArray again = CopyDataChannel::encode(message.dwData, message.lpData, message.cbData);
    const QList<CopyDataMessage> decoded = CopyDataChannel::decode(again);
    if (decoded.size() != 1 || !again.isEmpty() || decoded[0].dwData != message.dwData
        || decoded[0].cbData != message.cbData || decoded[0].lpData != message.lpData)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = qMax(1, int(data[0]));
    const QByteArray stream = fuzz::bytesOf(data + 1, size - 1);

    QByteArray buffer;
    for (qsizetype at = 0; at < stream.size(); at += piece) {
        buffer += stream.mid(at, piece);
        bool malformed = false;
        for (const CopyDataMessage &message : CopyDataChannel::decode(buffer, &malformed))
            checkMessage(message);
        if (malformed)
            break;  // the channel closes the connection
    }
    return 0;
}
