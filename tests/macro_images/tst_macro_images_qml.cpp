// The macro images as the UI reaches them: the singleton of
// "Gearconsole.Macros" called from a QML document.
#include "macros/encoding/macro_images_qml.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QtTest>

#include <memory>

namespace {

// The JSON text of a list of bytes, as JSON.stringify writes an array.
QString json(const QList<int> &bytes)
{
    QStringList parts;
    for (int byte : bytes)
        parts << QString::number(byte);
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
}

class QmlDocument
{
public:
    // `expression` is evaluated in a document that imports the macro images.
    explicit QmlDocument(const QString &expression)
    {
        QQmlComponent component(&engine);
        component.setData(QStringLiteral("import QtQml\n"
                                         "import Gearconsole.Macros 1.0\n"
                                         "QtObject { property string result: JSON.stringify(%1) }\n")
                              .arg(expression)
                              .toUtf8(),
                          QUrl());
        if (component.isReady())
            object.reset(component.create());
        errors = component.errorString();
    }
    QString result() const { return object ? object->property("result").toString() : QString(); }

    QQmlEngine engine;
    std::unique_ptr<QObject> object;
    QString errors;
};

} // namespace

class TestMacroImagesQml : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerMacroImagesForQml();
        registerMacroImagesForQml();  // a second call is harmless
    }

    void keyboardFromActionLines()
    {
        QmlDocument doc(QStringLiteral("MacroImages.deCode([\"0,A,0,10\"], 1)"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0x01, 0x00, 0, 0, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00}));
    }

    void keyboardCountAsTextAndObjects()
    {
        QmlDocument doc(QStringLiteral(
            "MacroImages.deCode([{key: \"A\", action: 1, delay: 2570}, {key: 0x29, action: 0, delay: 5}], \"300\")"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0x2C, 0x01, 0, 0, 0x04, 0x80, 0x01, 0x01, 0x29, 0x00, 0x01, 0x00, 0x00, 0x00}));
    }

    void keyboardWithoutSteps()
    {
        QmlDocument doc(QStringLiteral("MacroImages.deCode([], 3)"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0x03, 0x00}));
    }

    void mouseFromActionLines()
    {
        QmlDocument doc(QStringLiteral("MacroImages.deCodeMouse([\"2,MS-L,0,50\", \"3,MS-L,1,10\"], \"1\")"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0x00, 0x01, 0x01, 0xF0, 0xB2, 0xF0, 0x00, 0x00}));
    }

    void mouseEscapedDelay()
    {
        QmlDocument doc(QStringLiteral("MacroImages.deCodeMouse([\"0,B,0,300\", \"1,A,1,10\"], 1)"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0x00, 0x01, 0x01, 0x05, 0xFF, 0x04, 0x01, 0x2C, 0x00, 0x00}));
    }

    void mouseWithoutSteps()
    {
        QmlDocument doc(QStringLiteral("MacroImages.deCodeMouse([], 2)"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0x00, 0x02}));
    }

    void unknownAndTranslatedNames()
    {
        // Unknown names encode as 0x33; with a replacement list, only its names are known.
        QmlDocument builtIn(QStringLiteral("MacroImages.deCode([\"0,Nope,0,10\"], 1)"));
        QVERIFY2(builtIn.object, qPrintable(builtIn.errors));
        QCOMPARE(builtIn.result(), json({1, 0, 0, 0, 0x33, 0, 1, 0, 0, 0}));

        QmlDocument translated(QStringLiteral("MacroImages.deCode([\"0,Eins,0,10\", \"0,A,1,10\"], 1, [\"Eins\"])"));
        QVERIFY2(translated.object, qPrintable(translated.errors));
        QCOMPARE(translated.result(), json({1, 0, 0, 0, 0x04, 0, 1, 0, 0x33, 0x80, 1, 0, 0, 0}));
    }

    void badArgumentsDoNotThrow()
    {
        QmlDocument doc(QStringLiteral("MacroImages.deCode([null, 5, \"x\"], \"many\")"));
        QVERIFY2(doc.object, qPrintable(doc.errors));
        QCOMPARE(doc.result(), json({0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestMacroImagesQml)
#include "tst_macro_images_qml.moc"
