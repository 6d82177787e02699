// Writes the factory profile (pD.bin) and its ten copies (p1.bin … p10.bin)
// into a settings folder, through QSettings so the files are exactly what the
// program itself would write. Key names come from the key matrix and are
// checked against the key-name table, so a renamed key cannot slip through.
//
//   make_profile_defaults <folder>
//
// The repository's modules/setting/ is refreshed with the "profile_defaults"
// build target.
#include "keys/key_matrix.h"
#include "keys/key_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTextStream>

namespace {

// Lighting: Wave (2), full brightness, middle speed, white, multicolour on,
// left to right (offered with Wave only).
const QVariantList kLightValue = {2, 218, 109, 255, 255, 255, 1, 0};
constexpr int kPictureCount = 5;
constexpr int kMouseButtons = 16;
constexpr int kXYSensitivity = 4;

constexpr int kKindKeyboard = 2;
constexpr int kKindSystem = 4;
constexpr int kSystemFn = 3;

int fail(const QString &message)
{
    QTextStream(stderr) << "make_profile_defaults: " << message << '\n';
    return 1;
}

QVariantList zeros(int count) { return QVariantList(count, 0); }

// Each key keeps its own name (kind 2); Fn keeps its system function.
QVariantList keyAssignment(int index)
{
    if (index == kFnKeyIndex)
        return {kKindSystem, kSystemFn};
    return {kKindKeyboard, keyMatrixName(index)};
}

bool writeDefaults(const QString &file)
{
    QFile::remove(file);  // QSettings would otherwise merge with what is there
    QSettings store(file, QSettings::IniFormat);
    store.setValue(QStringLiteral("keyboard/lightValue"), kLightValue);
    for (int k = 0; k < kPictureCount; ++k)
        store.setValue(QStringLiteral("keyboard/led%1").arg(k), zeros(kKeyMatrixSize));
    for (int i = 0; i < kKeyMatrixSize; ++i)
        store.setValue(QStringLiteral("keyboardKeyMatrix/%1").arg(i), keyAssignment(i));
    // Mouse buttons: base function (kind 0) with the button's own position,
    // four numbers as the button block and the macro clean-up read them.
    for (int b = 0; b < kMouseButtons; ++b)
        store.setValue(QStringLiteral("mouseKeyMatrix/%1").arg(b), QVariantList{0, b, 0, 0});
    store.setValue(QStringLiteral("XYSensitive/0"), kXYSensitivity);
    store.setValue(QStringLiteral("XYSensitive/1"), kXYSensitivity);
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return fail(QStringLiteral("usage: make_profile_defaults <folder>"));

    const QStringList names = keyNames();
    for (int i = 0; i < kKeyMatrixSize; ++i) {
        const QString name = keyMatrixName(i);
        if (i != kFnKeyIndex && !name.isEmpty() && !names.contains(name))
            return fail(QStringLiteral("key %1 \"%2\" is not in the key-name table").arg(i).arg(name));
    }

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists())
        return fail(QStringLiteral("no folder %1").arg(folder.path()));
    const QString defaults = folder.filePath(QStringLiteral("pD.bin"));
    if (!writeDefaults(defaults))
        return fail(QStringLiteral("cannot write %1").arg(defaults));
    for (int p = 1; p <= 10; ++p) {
        const QString copy = folder.filePath(QStringLiteral("p%1.bin").arg(p));
        QFile::remove(copy);
        if (!QFile::copy(defaults, copy))
            return fail(QStringLiteral("cannot write %1").arg(copy));
    }
    return 0;
}
