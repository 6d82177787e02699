#include "command_table.h"

#include <optional>

namespace {
constexpr int kLargestBlock = 512;
constexpr int kUnitBytes = 64;
} // namespace

int BlockSize::bytesFor(const DeviceRequest &request) const
{
    switch (m_kind) {
    case Kind::None:
        return 0;
    case Kind::Fixed:
        return qMin(m_value, kLargestBlock);
    case Kind::Bytes:
        return qMin(int(request.at(m_value)), kLargestBlock);
    case Kind::Units64:
        return qMin(int(request.at(m_value)) * kUnitBytes, kLargestBlock);
    }
    return 0;
}

ReportLayout anyLayout()
{
    return [](const QByteArray &) { return true; };
}

ReportLayout bytesAre(int index, const char *pattern)
{
    // Each pair of characters is one byte; "??" takes any value.
    QList<std::optional<quint8>> expected;
    for (const char *pair = pattern; pair[0] && pair[1]; pair += 2) {
        const QByteArray text(pair, 2);
        expected.append(text == "??" ? std::nullopt : std::optional<quint8>(quint8(QByteArray::fromHex(text).at(0))));
    }
    return [index, expected](const QByteArray &report) {
        if (index + expected.size() > report.size())
            return false;
        for (int i = 0; i < expected.size(); ++i) {
            if (expected[i] && quint8(report.at(index + i)) != *expected[i])
                return false;
        }
        return true;
    };
}

ReportLayout byteIn(int index, quint8 low, quint8 high)
{
    return [index, low, high](const QByteArray &report) {
        if (index >= report.size())
            return false;
        const quint8 value = quint8(report.at(index));
        return value >= low && value <= high;
    };
}
