#pragma once
// Reports written out byte by byte as the program's command set lays them
// out, and the plumbing to hand them to a model.
#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>

class DeviceModel;

// "06 00 05 03 02 07 01": report ID 0, then these seven bytes, then the
// complement of their 8-bit sum.
QByteArray checked(const char *hexBytes1to7);
// "08 00 00 08 00 00 00 00": report ID 0, then these eight bytes as they are.
QByteArray unchecked(const char *hexBytes1to8);
// A recognisable block: byte i = (seed + 7 i) mod 256.
QByteArray pattern(int length, int seed);
// The block as output reports of reportLength data bytes after report ID 0,
// the last one zero-padded.
QList<QByteArray> outputReports(const QByteArray &block, int reportLength);

// A command report, then its data block as output reports.
void feed(DeviceModel &model, const QByteArray &report, const QByteArray &block = {}, int reportLength = 64);

// The value at "effect/mode" or "macros/3" in a state object.
QJsonValue stateAt(const QJsonObject &state, const QString &path);
// Lowercase hex of a block, as the state file writes it.
QJsonValue hex(const QByteArray &bytes);
