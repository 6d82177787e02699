#include "safe_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool replaceWithCopy(const QString &source, const QString &target, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(source, in.errorString()));
    // QSaveFile writes beside the target and renames it over the target on
    // commit, so an interrupted copy leaves the old file whole.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(64 * 1024);
        if (chunk.isEmpty() && in.error() != QFile::NoError)
            return fail(QStringLiteral("cannot read %1: %2").arg(source, in.errorString()));
        if (out.write(chunk) != chunk.size())
            return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    }
    if (!out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    return true;
}
