// The settings files' text as the program reads and writes it: the same
// values as the settings library's own INI reader gives for the same bytes,
// the same bytes as its writer writes for the same values, and serialized
// values read without the library's binary stream, however they are made.
#include "platform/settings_format.h"
#include "platform/settings_writer.h"
#include "support/log_capture.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Values = QMap<QString, QVariant>;

// A value with its kind, lists entry by entry, so that a string list and a
// list of strings, or "1" and 1, are told apart.
QString described(const QVariant &value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text;
}

QStringList everything(const QSettings &settings)
{
    QStringList all;
    for (const QString &key : settings.allKeys())
        all << key + " = " + described(settings.value(key));
    return all;
}

class Files
{
public:
    // A fresh name each time: the settings library keeps a file it read by name.
    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.path() + QStringLiteral("/f%1.ini").arg(++m_serial);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QString fresh() { return m_dir.path() + QStringLiteral("/f%1.ini").arg(++m_serial); }

private:
    QTemporaryDir m_dir;
    int m_serial = 0;
};

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray written(const QString &path, QSettings::Format format, const Values &values)
{
    {
        QSettings settings(path, format);
        for (auto it = values.begin(); it != values.end(); ++it)
            settings.setValue(it.key(), it.value());
    }
    return bytesOf(path);
}

} // namespace

class TestSettingsText : public QObject
{
    Q_OBJECT

private slots:
    // None of these holds a value the library would read through its binary
    // stream, so its reader can be asked for the expected values.
    void readsWhatTheLibraryReads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("plain values") << QByteArray("[g]\na=1\nb=some text\nc=true\nd=\n");
        QTest::newRow("quotes and lists")
            << QByteArray("[g]\nline=\"0,A,0,10\"\nlist=1, 2 ,3\nq=\" lead\", \"trail \" , x\nhalf=\"a, b\nc=d\n");
        QTest::newRow("escapes") << QByteArray("[g]\ne=a\\tb\\nc\\\\d\\\"e\\x41\\101\\?\\'\\z\\a\\b\\f\\v\\r\n"
                                               "h=\\x\\xg\\x4e2d\\x6587 \\0\\07\\1234\nend=ab  \\\n");
        QTest::newRow("older escaped Chinese") << QByteArray("[keyboard]\n0=\\x5b8f\\x5f55\\x5236\n");
        QTest::newRow("UTF-8") << QByteArray("[keyboard]\n0=\xe5\xae\x8f \xc3\xbc\n");
        QTest::newRow("broken UTF-8") << QByteArray("[g]\na=\xe4\xb8,x\nb=\xe4\\x41\xb8\xad\nc=\xe9t\xe9\nd=\xff\xfe\n");
        QTest::newRow("continued lines") << QByteArray("[g]\nv=\"a\nb\"\nw=c\\\nd\nx=e\\\r\nf\ny=\"g\\\"\n[h]\nz=1\"\n");
        QTest::newRow("comments") << QByteArray("; top\n[g] ; after\nk=v ; rest\n;x=1\n  ;y=2\nq=\"a;b\"\n");
        QTest::newRow("General sections") << QByteArray("top=1\n[General]\ng=2\n[%General]\nh=3\n[general]\ni=4\n"
                                                         "[%47eneral]\nj=5\n");
        QTest::newRow("escaped keys") << QByteArray("[a%20b]\nc%3Bd=1\n%U4E2D=2\nx\\y=3\n%=4\n%4=5\n%zz=6\n%U12=7\n"
                                                    "[k%E9y]\nk=8\n");
        QTest::newRow("UTF-8 keys") << QByteArray("[\xe4\xb8\xad\xe6\x96\x87]\n\xc3\xa9=1\n");
        QTest::newRow("repeated sections and keys")
            << QByteArray("[a]\nk=1\n[b]\nk=2\n[a]\nk=3\nm=4\n[a%2Fb]\nc=5\n[a]\nb\\c=6\n");
        QTest::newRow("broken lines") << QByteArray("[g]\nno equals\n[open\nk=v\n=empty key\n  = \n[]\nx=1\n");
        QTest::newRow("byte order mark, CRLF, CR") << QByteArray("\xef\xbb\xbf[g]\r\nk=v\r\n\rm=w\r\r\n");
        QTest::newRow("the @ forms")
            << QByteArray("[g]\nat=@@x\nat2=@x\ninv=@Invalid()\nstr=@String(a\\0b)\nba=@ByteArray(\\x1\\xff)\n"
                          "rect=@Rect(1 2 3 4)\nsize=@Size(5 6)\npt=@Point(7 8)\nbad=@Rect(1 2)\nodd=@Rect(1)2 3 4)\n"
                          "list=@@a, b\nmixed=@Invalid(), a, @@b\nempty=@ByteArray()\nopen=@String(x\n");
        QTest::newRow("a user's text written before") << QByteArray("[profile]\n0=@@Variant(combo), loadertravex\n"
                                                                    "[keyboard]\nadvaceFunction3=/home/u/@@Variant(x)\n");
        static const char noise[] = "[\x01\x02]\n\x00=\x00\x7f\x80\n\x00\x00\x00\n";
        QTest::newRow("binary noise") << QByteArray(noise, sizeof noise - 1);
    }
    void readsWhatTheLibraryReads()
    {
        QFETCH(QByteArray, text);
        Files files;
        const QSettings library(files.write(text), QSettings::IniFormat);
        const QSettings ours(files.write(text), settingsFormat());
        QCOMPARE(everything(ours), everything(library));
        QCOMPARE(ours.status(), QSettings::NoError);
    }

    // The values the program stores, and others, are written byte for byte
    // as the library writes them (a list of one value in its serialized
    // form); only U+FEFF is escaped, which the library's reader would drop.
    void writesWhatTheLibraryWrites_data()
    {
        QTest::addColumn<Values>("values");
        QTest::newRow("texts") << Values{{"g/plain", "text"},
                                         {"g/controls", QString("a\x01" "b\tc\"d\\e\x7f")},
                                         {"g/quoted", "0,A,0,10"},
                                         {"g/semicolon", "a;b=c"},
                                         {"g/spaces", " lead and trail "},
                                         {"g/at", "@Variant(combo)"},
                                         {"g/atat", "@@x"},
                                         {"g/nul", QString(QChar(0)) + "12"},
                                         {"g/cjk", QString::fromUtf8("宏录制 ü")},
                                         {"g/emoji", QString::fromUtf8("\xf0\x9f\x8e\xae")},
                                         {"g/empty", QString()}};
        QTest::newRow("numbers") << Values{{"n/int", -5}, {"n/uint", 7u}, {"n/long", Q_INT64_C(1) << 40},
                                           {"n/ulong", ~Q_UINT64_C(0)}, {"n/double", 0.1}, {"n/float", 0.1f},
                                           {"n/bool", false}};
        QTest::newRow("lists") << Values{{"l/strings", QStringList{"a", "b,c", "@d"}},
                                         {"l/one string", QStringList{"x"}},
                                         {"l/values", QVariantList{0, 218, 2.5, "x", true}},
                                         {"l/empty", QVariantList{}},
                                         {"l/one int", QVariantList{5}},
                                         {"l/one text", QVariantList{"x"}},
                                         {"l/one double", QVariantList{-1.25}},
                                         {"l/one bool", QVariantList{true}},
                                         {"l/one long", QVariantList{-(Q_INT64_C(1) << 40)}},
                                         {"l/one null text", QVariantList{QString()}},
                                         {"l/nested", QVariantList{QVariantList{1, 2}, QStringList{"a"}, 3}}};
        QTest::newRow("other kinds") << Values{{"o/bytes", QByteArray("\x01\xff" "ab\x00z", 6)},
                                               {"o/rect", QRect(1, 2, 3, 4)},
                                               {"o/point", QPoint(-1, 9)}};
        QTest::newRow("keys") << Values{{"a b/c;d", 1}, {QString::fromUtf8("中/文"), 2}, {"top", 4}, {"s/deep/er", 6}, {"a/b", 7}};
    }
    void writesWhatTheLibraryWrites()
    {
        QFETCH(Values, values);
        Files files;
        const QByteArray expected = written(files.fresh(), QSettings::IniFormat, values);
        const QString path = files.fresh();
        QCOMPARE(written(path, settingsFormat(), values), expected);
        // Read back from the file, as the next start does.
        const QSettings ours(files.write(bytesOf(path)), settingsFormat());
        const QSettings library(files.write(expected), QSettings::IniFormat);
        QCOMPARE(everything(ours), everything(library));
    }

    // Sections spelled like "general" keep their spelling, so no two of
    // them become one, and the library's reader reads the same keys.
    void sectionsSpelledLikeGeneralStayApart()
    {
        const Values values{{"general/x", 3}, {"GeNeral/x", 4}, {"General/y", 5}, {"top", 6}};
        Files files;
        const QString path = files.fresh();
        QCOMPARE(written(path, settingsFormat(), values),
                 QByteArray("[General]\ntop=6\n\n[%GeNeral]\nx=4\n\n[%General]\ny=5\n\n[%general]\nx=3\n"));
        const QSettings ours(files.write(bytesOf(path)), settingsFormat());
        const QSettings library(files.write(bytesOf(path)), QSettings::IniFormat);
        QCOMPARE(ours.allKeys().size(), 4);
        QCOMPARE(everything(ours), everything(library));
        QCOMPARE(ours.value("GeNeral/x"), QVariant("4"));
    }

    // Serialized values the program cannot have written: each is read at
    // once, as its text, asking for no more than the file's own size, and
    // the rest of the file reads as ever.
    void hostileSerializedValuesReadAsText_data()
    {
        QTest::addColumn<QByteArray>("value");
        // A gun preset found by fuzzing: the library asked for 26 GB.
        QTest::newRow("text of 2 GB") << QByteArray("@Variant(\\0\\0\\0\\n\\x7f\\xff\\xff\\xfe)");
        QTest::newRow("list of 4 billion") << QByteArray("@Variant(\\0\\0\\0\\t\\xff\\xff\\xff\\xff)");
        QTest::newRow("text list of 4 billion") << QByteArray("@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xff)");
        QTest::newRow("nested too deep")
            << QByteArray("@Variant(") + QByteArray("\\0\\0\\0\\t\\0\\0\\0\\x1").repeated(8) + "\\0\\0\\0\\x2\\0\\0\\0\\x1)";
        QTest::newRow("cut short") << QByteArray("@Variant(\\0\\0\\0\\n\\0\\0\\0\\x4\\0x)");
        QTest::newRow("odd text length") << QByteArray("@Variant(\\0\\0\\0\\n\\0\\0\\0\\x1\\0)");
        QTest::newRow("a picture") << QByteArray("@Variant(\\0\\0\\0\\x45\\0\\0\\0\\x1)");
        QTest::newRow("a date") << QByteArray("@DateTime(\\0\\0\\0\\x10\\0%\\x80\\x1)");
        QTest::newRow("escaped at sign") << QByteArray("\\x40Variant(\\0\\0\\0\\x7f\\xff\\xff\\xff\\xff)");
        QTest::newRow("in a list") << QByteArray("300, 99, @Variant(\\0\\0\\x19\\0\\x31-ByArray)");
    }
    void hostileSerializedValuesReadAsText()
    {
        QFETCH(QByteArray, value);
        Files files;
        LogCapture log;
        QElapsedTimer clock;
        clock.start();
        const QSettings ours(files.write("[gunData]\nA=" + value + "\nB=1, 2, 3\n"), settingsFormat());
        const QVariant read = ours.value("gunData/A");
        QVERIFY(clock.elapsed() < 1000);
        const QString text = read.metaType().id() == QMetaType::QVariantList ? read.toList().last().toString()
                                                                             : read.toString();
        QVERIFY2(text.startsWith("@Variant(") || text.startsWith("@DateTime("), qPrintable(described(read)));
        QCOMPARE(ours.value("gunData/B").toStringList(), QStringList({"1", "2", "3"}));
        QCOMPARE(log.count("kept as text"), 1);
    }

    void usersTextRoundTrips_data()
    {
        QTest::addColumn<QVariant>("value");
        for (const char *text : {"@Variant(combo)", "@@Variant(x)", "@ByteArray(x)", "@DateTime(x)", "@Invalid()",
                                 "@String(x)", "@Rect(1 2 3 4)", "\\x40Variant(", "a,b;c=d", " spaced ", "tab\there",
                                 "quote\"back\\slash", "line\nbreak", "中文 profile", "@", ""})
            QTest::newRow(text) << QVariant(QString::fromUtf8(text));
        // Written as UTF-8 it would read back as a byte order mark and be dropped.
        QTest::newRow("zero-width no-break space first") << QVariant(QString::fromUtf8("\xef\xbb\xbf" "x"));
        QTest::newRow("a list with a user's text") << QVariant(QVariantList{"@Variant(combo)", "loadertravex"});
        QTest::newRow("one text in a list") << QVariant(QVariantList{"@Variant(x)"});
        QTest::newRow("one number in a list") << QVariant(QVariantList{7});
    }
    void usersTextRoundTrips()
    {
        QFETCH(QVariant, value);
        Files files;
        const QString path = files.fresh();
        {
            QSettings settings(path, settingsFormat());
            settings.setValue("g/value", value);
        }
        const QSettings again(files.write(bytesOf(path)), settingsFormat());
        const QVariant read = again.value("g/value");
        if (value.metaType().id() == QMetaType::QVariantList)
            QCOMPARE(described(QVariant(read.toList())), described(value));
        else
            QCOMPARE(read.toString(), value.toString());
    }

    // A file larger than any the program writes is not read, and not
    // replaced by the little that was read of it.
    void anOversizedFileIsNeitherReadNorWrittenOver()
    {
        Files files;
        const QByteArray big = "[g]\nk=v\n" + QByteArray(kMaxSettingsFileSize, ';') + "\n";
        const QString path = files.write(big);
        LogCapture log;
        {
            QSettings settings(path, settingsFormat());
            QVERIFY(settings.allKeys().isEmpty());
            QCOMPARE(settings.status(), QSettings::FormatError);
            settings.setValue("g/new", 1);
            QVERIFY(!writeSettings(settings));
        }
        QCOMPARE(bytesOf(path), big);
        QVERIFY(!unreadableSettingsReason(path).isEmpty());
        QVERIFY(log.count("not read: ") >= 1);
        QVERIFY(log.count("not written over: ") >= 1);
    }
};

QTEST_MAIN(TestSettingsText)
#include "tst_settings_text.moc"
