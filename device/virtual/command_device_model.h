#pragma once
#include "command_table.h"
#include "device_model.h"

#include <optional>

// What every command-driven device kind shares: it finds the row of its
// command table for each command report, checks the checksum where the row
// has one, answers the security-code probe, collects the data block that
// follows from the output reports (each carrying reportLength data bytes
// after its report ID) and hands the complete block to the row's handler.
// Reports it cannot place are counted and otherwise ignored.
class CommandDeviceModel : public DeviceModel
{
public:
    explicit CommandDeviceModel(int reportLength);

    void commandReport(const QByteArray &report) override;
    void outputReport(const QByteArray &report) override;
    QByteArray answerReport() override;
    QList<QByteArray> takeInputReports() override;
    QJsonObject state() const override;

    // Command and output reports that the device could not use.
    int ignoredReports() const { return m_ignored; }

protected:
    // The device kind's table; the security-code probe is always served.
    void setCommands(QList<CommandRow> rows);

    // Sets answer bytes from `index` on (byte 0 is the report ID, byte 1 the
    // opcode of the command being answered).
    void answerWith(int index, const QByteArray &bytes);
    // Sends a block as input reports of reportLength bytes, the last one
    // zero-padded.
    void sendBlock(const QByteArray &block);
    // A handler that finds its parameters out of range calls this.
    void ignore() { ++m_ignored; }

    // An output report that does not continue a data block; true when the
    // device kind uses it.
    virtual bool looseOutputReport(const QByteArray &) { return false; }

    virtual QString kind() const = 0;
    virtual void describe(QJsonObject &state) const = 0;

    template <class Model>
    CommandHandler handler(void (Model::*method)(const DeviceRequest &))
    {
        Model *model = static_cast<Model *>(this);
        return [model, method](const DeviceRequest &request) { (model->*method)(request); };
    }

private:
    struct PendingBlock
    {
        int row;
        DeviceRequest request;
        int length;
    };

    const CommandRow *findRow(const QByteArray &report) const;
    void answerProbe(const DeviceRequest &request);

    const int m_reportLength;
    QList<CommandRow> m_rows;
    std::optional<PendingBlock> m_pending;
    QByteArray m_answer = QByteArray(9, '\0');
    QList<QByteArray> m_input;
    int m_ignored = 0;
};
