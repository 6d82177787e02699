#pragma once
#include <QByteArray>
#include <QList>

#include <functional>

// A command report as the device sees it (descrambled, byte 0 the report
// ID), with the data block that followed it; the block is empty for a
// command without one.
struct DeviceRequest
{
    QByteArray report;
    QByteArray block;

    // Byte `index` of the command report; 0 beyond its end.
    quint8 at(int index) const { return index < report.size() ? quint8(report.at(index)) : 0; }
};

// How many data bytes follow a command report as output reports.
class BlockSize
{
public:
    static BlockSize none() { return {Kind::None, 0}; }
    static BlockSize fixed(int bytes) { return {Kind::Fixed, bytes}; }
    // The report's byte `index` gives the length in bytes (80 = 128).
    static BlockSize lengthByte(int index) { return {Kind::Bytes, index}; }
    // The report's byte `index` gives the length in 64-byte units (08 = 512).
    static BlockSize lengthIn64ByteUnits(int index) { return {Kind::Units64, index}; }

    bool expectsBlock() const { return m_kind != Kind::None; }
    // The block length this report announces, never more than the 512
    // bytes a device buffers for one command.
    int bytesFor(const DeviceRequest &request) const;

private:
    enum class Kind { None, Fixed, Bytes, Units64 };
    BlockSize(Kind kind, int value) : m_kind(kind), m_value(value) {}
    Kind m_kind;
    int m_value;
};

enum class Checksum { Checked, None };

// Which reports of one opcode a row takes: several command families reuse
// an opcode with another byte layout, and the layout tells them apart.
using ReportLayout = std::function<bool(const QByteArray &report)>;
using CommandHandler = std::function<void(const DeviceRequest &request)>;

// Any report with the row's opcode.
ReportLayout anyLayout();
// Bytes from `index` on match `pattern`, two hex digits per byte, "??" for
// a byte that may hold anything ("000001", "0000??00").
ReportLayout bytesAre(int index, const char *pattern);
// Byte `index` lies in [low, high].
ReportLayout byteIn(int index, quint8 low, quint8 high);

// One row of a device kind's command table.
struct CommandRow
{
    quint8 opcode;
    ReportLayout layout;
    Checksum checksum;
    BlockSize block;
    CommandHandler handle;
};
