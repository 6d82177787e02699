#include "report_descriptors.h"

namespace {

// Short items: tag byte with its data length in the low two bits.
void item(QByteArray &out, quint8 tag, quint32 value, int bytes)
{
    out.append(char(tag | (bytes == 4 ? 3 : bytes)));
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

void sized(QByteArray &out, quint8 tag, quint32 value) { item(out, tag, value, value > 0xff ? 2 : 1); }

enum : quint8 {
    UsagePage = 0x04, Usage = 0x08, Collection = 0xa0, EndCollection = 0xc0, LogicalMinimum = 0x14,
    LogicalMaximum = 0x24, ReportSize = 0x74, ReportCount = 0x94, Input = 0x80, Output = 0x90, Feature = 0xb0,
};
constexpr quint8 kApplication = 0x01;
constexpr quint8 kDataVariableAbsolute = 0x02;

void byteReport(QByteArray &out, quint8 main, int count)
{
    if (count <= 0)
        return;
    sized(out, ReportCount, quint32(count));
    item(out, Usage, 0x01, 1);
    item(out, main, kDataVariableAbsolute, 1);
}

} // namespace

QByteArray vendorDescriptor(quint16 usagePage, quint16 usage, int inputBytes, int outputBytes, int featureBytes)
{
    QByteArray out;
    item(out, UsagePage, usagePage, 2);
    sized(out, Usage, usage);
    item(out, Collection, kApplication, 1);
    item(out, LogicalMinimum, 0, 1);
    item(out, LogicalMaximum, 0xff, 2);
    item(out, ReportSize, 8, 1);
    byteReport(out, Input, inputBytes);
    byteReport(out, Output, outputBytes);
    byteReport(out, Feature, featureBytes);
    out.append(char(EndCollection));
    return out;
}

QByteArray bootKeyboardDescriptor()
{
    return QByteArray::fromHex("05010906a101"            // generic desktop, keyboard, application
                               "050719e029e7150025017501950881 02"
                               "950175088101"            // reserved byte
                               "9505750105081901290591 02"
                               "9501750391 01"           // LED padding
                               "95067508150025650507190029658100"
                               "c0");
}
