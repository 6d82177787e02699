#pragma once
#include <QByteArray>
#include <QJsonObject>
#include <QList>

#include <functional>

// What a virtual device does with the reports it receives, once the
// transport has undone the scrambling. One small class per device kind.
class DeviceModel
{
public:
    virtual ~DeviceModel() = default;
    // A 9-byte command report in plain bytes, byte 0 the report ID.
    virtual void commandReport(const QByteArray &report) = 0;
    // An output report as written, byte 0 the report ID.
    virtual void outputReport(const QByteArray &report) = 0;
    // The 9-byte answer to the last command report, in plain bytes.
    virtual QByteArray answerReport() = 0;
    // Input reports the device sends after the last command, if any.
    virtual QList<QByteArray> takeInputReports() { return {}; }
    // Everything the device keeps, for the state file: byte blocks as
    // lowercase hex strings, scalars as numbers.
    virtual QJsonObject state() const { return {}; }

    // The device's input queue, for reports a model sends on its own (not in
    // answer to a command). Set by the VirtualDevice that owns the model;
    // must not be called from inside commandReport or outputReport, which run
    // under the device's lock (those answer through takeInputReports).
    using InputSink = std::function<void(const QByteArray &report)>;
    void setInputSink(InputSink sink) { m_inputSink = std::move(sink); }

protected:
    void sendInputReport(const QByteArray &report) const
    {
        if (m_inputSink)
            m_inputSink(report);
    }

private:
    InputSink m_inputSink;
};

// The device every virtual interface starts with: it answers the
// security-code probe by echoing its four bytes, keeps the data blocks it
// is sent, and answers other commands with their opcode.
class EchoModel : public DeviceModel
{
public:
    void commandReport(const QByteArray &report) override;
    void outputReport(const QByteArray &report) override;
    QByteArray answerReport() override;
    QJsonObject state() const override;

    QByteArray lastCommand() const { return m_lastCommand; }
    // Data bytes of the output reports since the last command report.
    QByteArray receivedData() const { return m_data; }

private:
    QByteArray m_lastCommand = QByteArray(9, '\0');
    QByteArray m_answer = QByteArray(9, '\0');
    QByteArray m_data;
};

// The checksum of a command report: complement of the sum of bytes 1 to 7.
quint8 commandChecksum(const QByteArray &report);
