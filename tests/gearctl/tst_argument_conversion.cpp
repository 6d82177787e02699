// gearctl's JSON argument conversion for the widest integer parameters: a
// number one past the type's maximum is refused, not wrapped, and the
// largest number that fits arrives exactly.
#include "tools/gearctl/argument_conversion.h"

#include <QtTest>

class WideParameters : public QObject
{
    Q_OBJECT

public slots:
    void wide(qulonglong, long) {}
};

class TestArgumentConversion : public QObject
{
    Q_OBJECT

private slots:
    void numbersOnePastTheMaximumAreRefused_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("2^64 for qulonglong") << QStringList{"18446744073709551616", "0"};
        QTest::newRow("2^64 in exponent form") << QStringList{"1.8446744073709552e19", "0"};
        QTest::newRow("2^63 for long") << QStringList{"0", "9223372036854775808"};
    }
    void numbersOnePastTheMaximumAreRefused()
    {
        QFETCH(QStringList, texts);
        SlotArguments arguments;
        QString error;
        QVERIFY(!arguments.convert(method(), texts, &error));
        QVERIFY2(error.contains("must be an integer from"), qPrintable(error));
    }

    void theLargestNumbersThatFitArriveExactly()
    {
        SlotArguments arguments;
        QString error;
        QVERIFY2(arguments.convert(method(), {"18446744073709549568", "9223372036854774784"}, &error),
                 qPrintable(error));
        QCOMPARE(*static_cast<qulonglong *>(arguments.address(0)), 18446744073709549568ULL);
        QCOMPARE(*static_cast<long *>(arguments.address(1)), 9223372036854774784L);
    }

private:
    static QMetaMethod method()
    {
        const QMetaObject &meta = WideParameters::staticMetaObject;
        return meta.method(meta.indexOfSlot("wide(qulonglong,long)"));
    }
};

QTEST_GUILESS_MAIN(TestArgumentConversion)
#include "tst_argument_conversion.moc"
