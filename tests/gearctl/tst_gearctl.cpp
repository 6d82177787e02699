// gearctl run as its own process: return values, output arguments, byte
// buffers, the slot list, the virtual state file and refusals of bad input.
#include "gearctl_process.h"

#include "support/test_workspace.h"
#include "support/wire_trace.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QtTest>

namespace {

#define VERIFY_SUCCESS(result)                                                                                    \
    do {                                                                                                          \
        QVERIFY2((result).finished, "gearctl did not finish");                                                    \
        QVERIFY2((result).status == QProcess::NormalExit && (result).exitCode == 0, (result).err.constData());  \
    } while (false)

QStringList numbers(int from, int to)
{
    QStringList texts;
    for (int i = from; i <= to; ++i)
        texts.append(QString::number(i));
    return texts;
}

} // namespace

class TestGearctl : public QObject
{
    Q_OBJECT

private slots:
    void returnValueIsTheConnectionState_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<int>("state");
        QTest::newRow("no device") << QString() << 0;
        QTest::newRow("keyboard of entry 0") << QStringLiteral("0") << 1;
        QTest::newRow("entries 0 and 2") << QStringLiteral("0,2") << 0b101;
    }

    void returnValueIsTheConnectionState()
    {
        QFETCH(QString, devices);
        QFETCH(int, state);
        TestWorkspace workspace;
        const GearctlResult result =
            GearctlProcess(workspace.path(), devices).run({QStringLiteral("call"), QStringLiteral("ui_View.getDeviceConnectState")});
        VERIFY_SUCCESS(result);
        const QJsonObject json = result.json();
        QCOMPARE(json.keys(), QStringList{QStringLiteral("return")});
        QCOMPARE(json.value(QStringLiteral("return")).toInt(-1), state);
    }

    void outputArgumentsCarryTheDeviceAnswer()
    {
        TestWorkspace workspace;
        GearctlProcess gearctl(workspace.path(), QStringLiteral("0"));
        const GearctlResult result =
            gearctl.run(QStringList{QStringLiteral("call"), QStringLiteral("hid.hid553_00H_GetSecrecyCode")} + numbers(0, 4));
        VERIFY_SUCCESS(result);

        // "return" first, outputs in parameter order.
        QVERIFY2(result.out.startsWith(R"({"return":null,"outputs":{"byte1":)"), result.out.constData());
        const QJsonObject outputs = result.json().value(QStringLiteral("outputs")).toObject();
        QCOMPARE(outputs.size(), 4);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(outputs.value(QStringLiteral("byte%1").arg(i)).toInt(-1), i);

        const QByteArray sent = QByteArray::fromHex("00 00 01 02 03 04 00 00 f5");
        bool found = false;
        for (const TraceLine &line : gearctl.trace(QStringLiteral("FEATURE_OUT")))
            found = found || (line.path == QLatin1String("virtual:0") && line.bytes == sent);
        QVERIFY2(found, "the command report with the incoming bytes is not in the trace");
    }

    void outputArgumentsAreReadAfterTheCall()
    {
        // Without a device the exchange fails and the command hands back its
        // zeroed answer, not the values that went in.
        TestWorkspace workspace;
        GearctlProcess gearctl(workspace.path(), QString());
        const GearctlResult result =
            gearctl.run(QStringList{QStringLiteral("call"), QStringLiteral("hid.hid553_00H_GetSecrecyCode")} + numbers(0, 4));
        VERIFY_SUCCESS(result);
        const QJsonObject outputs = result.json().value(QStringLiteral("outputs")).toObject();
        QCOMPARE(outputs.size(), 4);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(outputs.value(QStringLiteral("byte%1").arg(i)).toInt(-1), 0);
        QVERIFY(gearctl.trace(QStringLiteral("FEATURE_OUT")).isEmpty());
    }

    void byteBufferComesBackScrambled_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("code");
        QTest::newRow("hex strings") << QStringLiteral("\"0001020304050607\"") << QStringLiteral("\"0000000000000000\"");
        QTest::newRow("upper-case hex") << QStringLiteral("\"0001020304050607\"") << QStringLiteral("\"0000000000000000\"").toUpper();
        QTest::newRow("arrays") << QStringLiteral("[0,1,2,3,4,5,6,7]") << QStringLiteral("[0,0,0,0,0,0,0,0]");
        QTest::newRow("empty code") << QStringLiteral("[0,1,2,3,4,5,6,7]") << QStringLiteral("[]");
    }

    void byteBufferComesBackScrambled()
    {
        QFETCH(QString, block);
        QFETCH(QString, code);
        TestWorkspace workspace;
        const GearctlResult result = GearctlProcess(workspace.path(), QStringLiteral("0"))
                                         .run({QStringLiteral("call"), QStringLiteral("hid.USBDataEncryption"), block, code});
        VERIFY_SUCCESS(result);
        const QJsonObject outputs = result.json().value(QStringLiteral("outputs")).toObject();
        QCOMPARE(outputs.value(QStringLiteral("FIFOBuf")).toString(), QStringLiteral("6d760c97fe252ec6"));
        // The code is printed back in the length it was given, unchanged.
        const QByteArray codeBytes = QByteArray(code == QLatin1String("[]") ? 0 : 8, '\0');
        QCOMPARE(outputs.value(QStringLiteral("SecrecyCode")).toString(), QString::fromLatin1(codeBytes.toHex()));
    }

    void decipheringUndoesTheScrambling()
    {
        TestWorkspace workspace;
        const GearctlResult result =
            GearctlProcess(workspace.path(), QStringLiteral("0"))
                .run({QStringLiteral("call"), QStringLiteral("hid.USBDataDecipher"), QStringLiteral("\"6d760c97fe252ec6\""),
                      QStringLiteral("\"0000000000000000\"")});
        VERIFY_SUCCESS(result);
        QCOMPARE(result.json().value(QStringLiteral("outputs")).toObject().value(QStringLiteral("FIFOBuf")).toString(),
                 QStringLiteral("0001020304050607"));
    }

    void shortBufferIsZeroFilled()
    {
        // hidCS sums seven bytes; only three are given, so the other four must
        // be the zeros of the buffer. Its uchar return comes back as a number.
        TestWorkspace workspace;
        const GearctlResult result = GearctlProcess(workspace.path(), QStringLiteral("0"))
                                         .run({QStringLiteral("call"), QStringLiteral("hid.hidCS"), QStringLiteral("\"010203\"")});
        VERIFY_SUCCESS(result);
        const QJsonObject json = result.json();
        QCOMPARE(json.value(QStringLiteral("return")).toInt(-1), int(quint8(~quint8(1 + 2 + 3))));
        QCOMPARE(json.value(QStringLiteral("outputs")).toObject().value(QStringLiteral("cmd")).toString(),
                 QStringLiteral("010203"));
    }

    void slotWithFourteenParametersIsCalled()
    {
        TestWorkspace workspace;
        const GearctlResult result =
            GearctlProcess(workspace.path(), QStringLiteral("0"))
                .run(QStringList{QStringLiteral("call"), QStringLiteral("hid.headSetSetLEDColorArray")} + numbers(1, 14));
        VERIFY_SUCCESS(result);
        QCOMPARE(result.json(), QJsonObject({{QStringLiteral("return"), QJsonValue::Null}}));
    }

    void virtualStateIsWrittenAfterTheCall()
    {
        TestWorkspace workspace;
        GearctlProcess gearctl(workspace.path(), QStringLiteral("0"));
        const QString stateFile = workspace.path() + QStringLiteral("/state.json");
        gearctl.setEnvironment(QStringLiteral("GEARCONSOLE_VIRTUAL_STATE"), stateFile);
        // did 0, mode 3, colour 2, brightness 1, speed 4, direction 0
        const GearctlResult result =
            gearctl.run(QStringList{QStringLiteral("call"), QStringLiteral("hid.hidSetRGBLedEffect"), QStringLiteral("0"),
                                    QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("4"),
                                    QStringLiteral("0")});
        VERIFY_SUCCESS(result);
        QFile file(stateFile);
        QVERIFY2(file.open(QIODevice::ReadOnly), "no virtual state file");
        const QJsonObject effect = QJsonDocument::fromJson(file.readAll())
                                       .object()
                                       .value(QStringLiteral("virtual:0"))
                                       .toObject()
                                       .value(QStringLiteral("effect"))
                                       .toObject();
        QCOMPARE(effect.value(QStringLiteral("mode")).toInt(-1), 3);
        QCOMPARE(effect.value(QStringLiteral("colour")).toInt(-1), 2);
        QCOMPARE(effect.value(QStringLiteral("brightness")).toInt(-1), 1);
        QCOMPARE(effect.value(QStringLiteral("speed")).toInt(-1), 4);
    }

    void listShowsEveryCallableSlot()
    {
        TestWorkspace workspace;
        GearctlProcess gearctl(workspace.path(), QStringLiteral("0"));
        const GearctlResult result = gearctl.runBare({QStringLiteral("list")});
        VERIFY_SUCCESS(result);
        const QStringList lines = QString::fromLatin1(result.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

        QVERIFY(lines.contains(QStringLiteral(
            "hid.hid553_00H_GetSecrecyCode(int did, uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4) -> void")));
        QVERIFY(lines.contains(QStringLiteral("hid.USBDataEncryption(uchar* FIFOBuf, uchar* SecrecyCode) -> void")));
        QVERIFY(lines.contains(QStringLiteral("hid.setSupportData(QVariant value) -> void")));
        QVERIFY(lines.contains(QStringLiteral("ui_View.getDeviceConnectState() -> QVariant")));
        QVERIFY(lines.contains(QStringLiteral("ui_View.setCurrentDPI(int dpiValue) -> void")));

        const QRegularExpression shape(QStringLiteral(R"(^(hid|ui_View)\.\w+\([^()]*\) -> \S+$)"));
        for (const QString &line : lines) {
            QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
            // Inherited QObject, QThread and QWidget slots are not offered.
            for (const char *inherited : {"deleteLater(", ".start(", ".quit(", ".show(", ".close("})
                QVERIFY2(!line.contains(QLatin1String(inherited)), qPrintable(line));
        }
        QVERIFY2(!gearctl.traceExists(), "list touched the device layer");
    }

    void helpPrintsUsage()
    {
        TestWorkspace workspace;
        const GearctlResult result = GearctlProcess(workspace.path(), QString()).runBare({QStringLiteral("--help")});
        VERIFY_SUCCESS(result);
        QVERIFY(result.out.startsWith("usage: gearctl"));
    }

    void badInputIsRefusedBeforeAnythingRuns_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        const QString secrecy = QStringLiteral("hid.hid553_00H_GetSecrecyCode");
        const QString call = QStringLiteral("call");
        QTest::newRow("unknown object") << QStringList{call, QStringLiteral("keyboard.getDeviceConnectState")} << "unknown object";
        QTest::newRow("unknown slot") << QStringList{call, QStringLiteral("hid.noSuchCommand")} << "no slot";
        QTest::newRow("inherited slot") << QStringList{call, QStringLiteral("hid.quit")} << "no slot";
        QTest::newRow("slot of the other object") << QStringList{call, QStringLiteral("ui_View.hidCS"), QStringLiteral("[]")} << "no slot";
        QTest::newRow("too few arguments") << QStringList{call, secrecy, QStringLiteral("0"), QStringLiteral("1")} << "takes 5";
        QTest::newRow("too many arguments") << QStringList{call, QStringLiteral("ui_View.getDeviceConnectState"), QStringLiteral("1")} << "takes 0";
        QTest::newRow("not JSON") << (QStringList{call, secrecy} + numbers(0, 3) + QStringList{QStringLiteral("x")}) << "not one JSON value";
        QTest::newRow("two JSON values") << (QStringList{call, secrecy} + numbers(0, 3) + QStringList{QStringLiteral("1,2")}) << "not one JSON value";
        QTest::newRow("empty argument") << (QStringList{call, secrecy} + numbers(0, 3) + QStringList{QString()}) << "not one JSON value";
        QTest::newRow("byte above 255") << (QStringList{call, secrecy} + numbers(0, 3) + QStringList{QStringLiteral("256")}) << "from 0 to 255";
        QTest::newRow("negative byte") << (QStringList{call, secrecy, QStringLiteral("0"), QStringLiteral("-1")} + numbers(2, 4)) << "from 0 to 255";
        QTest::newRow("fraction for an int") << (QStringList{call, secrecy, QStringLiteral("0.5")} + numbers(1, 4)) << "integer";
        QTest::newRow("string for an int") << (QStringList{call, secrecy, QStringLiteral("\"0\"")} + numbers(1, 4)) << "integer";
        QTest::newRow("number for a string") << QStringList{call, QStringLiteral("ui_View.getOpenSomeVendorPath"), QStringLiteral("5")} << "string";
        QTest::newRow("bad hex digit") << QStringList{call, QStringLiteral("hid.USBDataEncryption"), QStringLiteral("\"0g\""), QStringLiteral("[]")} << "hex";
        QTest::newRow("odd hex length") << QStringList{call, QStringLiteral("hid.USBDataEncryption"), QStringLiteral("\"000\""), QStringLiteral("[]")} << "hex";
        QTest::newRow("array byte above 255") << QStringList{call, QStringLiteral("hid.USBDataEncryption"), QStringLiteral("[0,300]"), QStringLiteral("[]")} << "0 to 255";
        QTest::newRow("number for a buffer") << QStringList{call, QStringLiteral("hid.USBDataEncryption"), QStringLiteral("7"), QStringLiteral("[]")} << "array";
        QTest::newRow("last of fourteen out of range") << (QStringList{call, QStringLiteral("hid.headSetSetLEDColorArray")} + numbers(1, 13) + QStringList{QStringLiteral("999")}) << "argument 14";
        QTest::newRow("no slot name") << QStringList{call, QStringLiteral("hid")} << "OBJECT.SLOT";
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << "unknown command";
        QTest::newRow("no command") << QStringList{} << "no command";
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--verbose"), QStringLiteral("list")} << "unknown option";
    }

    void badInputIsRefusedBeforeAnythingRuns()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        TestWorkspace workspace;
        GearctlProcess gearctl(workspace.path(), QStringLiteral("0"));
        const GearctlResult result = gearctl.run(arguments);
        QVERIFY(result.finished);
        QCOMPARE(result.status, QProcess::NormalExit);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.out.isEmpty(), result.out.constData());
        QVERIFY2(result.err.startsWith("gearctl: ") && result.err.contains(complaint.toUtf8()), result.err.constData());
        QVERIFY2(!gearctl.traceExists(), "the device layer ran despite the refusal");
    }

    void missingDirectoryIsRefused()
    {
        TestWorkspace workspace;
        GearctlProcess gearctl(workspace.path(), QStringLiteral("0"));
        const GearctlResult result = gearctl.runBare({QStringLiteral("--dir"), workspace.path() + QStringLiteral("/absent"),
                                                      QStringLiteral("call"), QStringLiteral("ui_View.getDeviceConnectState")});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains("no directory"), result.err.constData());
        QVERIFY(result.out.isEmpty());
        QVERIFY(!gearctl.traceExists());
    }
};

QTEST_GUILESS_MAIN(TestGearctl)
#include "tst_gearctl.moc"
