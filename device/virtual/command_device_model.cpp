#include "command_device_model.h"

namespace {
constexpr int kCommandReportLength = 9;
constexpr int kChecksumByte = 8;
constexpr quint8 kSecrecyProbe = 0x00;
} // namespace

CommandDeviceModel::CommandDeviceModel(int reportLength) : m_reportLength(qMax(1, reportLength))
{
    setCommands({});
}

void CommandDeviceModel::setCommands(QList<CommandRow> rows)
{
    // The probe echoes bytes 2 to 5, so the program can tell that the
    // device descrambles with the same code.
    rows.prepend({kSecrecyProbe, anyLayout(), Checksum::Checked, BlockSize::none(),
                  [this](const DeviceRequest &request) { answerProbe(request); }});
    m_rows = std::move(rows);
}

const CommandRow *CommandDeviceModel::findRow(const QByteArray &report) const
{
    const quint8 opcode = quint8(report.at(1));
    for (const CommandRow &row : m_rows) {
        if (row.opcode == opcode && row.layout(report))
            return &row;
    }
    return nullptr;
}

void CommandDeviceModel::commandReport(const QByteArray &report)
{
    // A new command abandons a block that never completed: the device
    // keeps what it had.
    m_pending.reset();
    m_answer = QByteArray(kCommandReportLength, '\0');
    if (report.size() < kCommandReportLength) {
        ignore();
        return;
    }
    m_answer[1] = report.at(1);

    const CommandRow *row = findRow(report);
    if (!row || (row->checksum == Checksum::Checked && quint8(report.at(kChecksumByte)) != commandChecksum(report))) {
        ignore();
        return;
    }
    DeviceRequest request{report.left(kCommandReportLength), {}};
    const int length = row->block.bytesFor(request);
    if (length > 0) {
        m_pending = PendingBlock{int(row - m_rows.constData()), request, length};
        return;
    }
    row->handle(request);
}

void CommandDeviceModel::outputReport(const QByteArray &report)
{
    if (!m_pending) {
        if (!looseOutputReport(report))
            ignore();
        return;
    }
    m_pending->request.block += report.mid(1);
    if (m_pending->request.block.size() < m_pending->length)
        return;
    PendingBlock complete = std::move(*m_pending);
    m_pending.reset();
    complete.request.block.truncate(complete.length);
    m_rows.at(complete.row).handle(complete.request);
}

QByteArray CommandDeviceModel::answerReport() { return m_answer; }

QList<QByteArray> CommandDeviceModel::takeInputReports()
{
    QList<QByteArray> reports;
    reports.swap(m_input);
    return reports;
}

QJsonObject CommandDeviceModel::state() const
{
    QJsonObject state{{QStringLiteral("kind"), kind()}, {QStringLiteral("ignoredReports"), m_ignored}};
    describe(state);
    return state;
}

void CommandDeviceModel::answerWith(int index, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size() && index + i < m_answer.size(); ++i)
        m_answer[index + i] = bytes.at(i);
}

void CommandDeviceModel::sendBlock(const QByteArray &block)
{
    for (int offset = 0; offset < block.size(); offset += m_reportLength)
        m_input.append(block.mid(offset, m_reportLength).leftJustified(m_reportLength, '\0'));
}

void CommandDeviceModel::answerProbe(const DeviceRequest &request) { answerWith(2, request.report.mid(2, 4)); }
