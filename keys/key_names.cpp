#include "keys/key_names.h"

QStringList keyNames()
{
    static const QStringList names = [] {
        QStringList list;
        list.reserve(kKeyNameCount);
        for (const KeyNameEntry &entry : kKeyNameTable)
            list.append(QString::fromUtf8(entry.name));
        return list;
    }();
    return names;
}

QString keyNameOf(int usage, const QStringList &names)
{
    if (usage == kUsageComma)
        return QStringLiteral(",");
    if (usage == kUsageSemicolon)
        return QStringLiteral(";");
    for (int i = 0; i < kKeyNameCount && i < names.size(); ++i) {
        if (kKeyNameTable[i].usage == usage)
            return names.at(i);
    }
    return QStringLiteral(";");
}

int usageOfName(const QString &name, const QStringList &names)
{
    if (name == QLatin1String(","))
        return kUsageComma;
    if (name == QLatin1String(";"))
        return kUsageSemicolon;
    for (int i = 0; i < kKeyNameCount && i < names.size(); ++i) {
        if (names.at(i) == name)
            return kKeyNameTable[i].usage;
    }
    return kUsageSemicolon;
}

QString keyNameOf(int usage) { return keyNameOf(usage, keyNames()); }

int usageOfName(const QString &name) { return usageOfName(name, keyNames()); }
