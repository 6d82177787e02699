// myQQuickView: the macro library slots. The files and their rules live in
// macros/; these bodies check the names, pick the library and the dialogs,
// and log what they refuse; what could not be written is reported to
// SaveFailures by the writers or here.
#include "myqquickview.h"

#include "file_dialogs.h"
#include "macros/keyboard_macro_keys.h"
#include "macros/macro_library.h"
#include "macros/mouse_macro_keys.h"
#include "macros/name_list.h"
#include "macros/safe_name.h"
#include "platform/logging.h"
#include "platform/save_failures.h"

#include <QSettings>

namespace {
const QString kNameListFile = QStringLiteral("./modules/setting/name.bin");

QStringList texts(const QVariantList &values)
{
    QStringList result;
    for (const QVariant &value : values)
        result.append(value.toString());
    return result;
}

QVariantList variants(const QStringList &strings)
{
    QVariantList result;
    for (const QString &string : strings)
        result.append(string);
    return result;
}
} // namespace

bool myQQuickView::loadMacroFile(QVariant macroFileName, QVariant deviceNo)
{
    const QString name = macroFileName.toString();
    if (!acceptName("loadMacroFile", name))
        return false;
    const QString source =
        FileDialogs::current().openFileName(this, tr("Open File"), desktopDirectory(), tr("Macro(*.mc)"));
    if (source.isEmpty())
        return false;
    MacroLibrary library = MacroLibrary::forDevice(deviceNo);
    QString error;
    switch (library.importFile(source, name, &error)) {
    case MacroLibrary::ImportResult::Copied:
        break;
    case MacroLibrary::ImportResult::NameTaken:
        qCWarning(lcBridge).noquote() << "loadMacroFile: a macro named" << name << "exists already; import skipped";
        break;
    case MacroLibrary::ImportResult::Failed:
        SaveFailures::instance().reportNotImported(source, error);
        return false;
    }
    // A chosen file counts as an import, also when the name was taken.
    return true;
}

void myQQuickView::saveMacroFile(QVariant macroFileName, QVariant deviceNo)
{
    const QString name = macroFileName.toString();
    if (!acceptName("saveMacroFile", name))
        return;
    const QString filter = tr("Macro(*.mc)");
    const QString target = withFilterSuffix(
        FileDialogs::current().saveFileName(this, tr("Save File"), proposedSavePath(name, filter), filter), filter);
    if (target.isEmpty())
        return;
    const MacroLibrary library = MacroLibrary::forDevice(deviceNo);
    if (!library.exists(name)) {
        qCWarning(lcBridge).noquote() << "saveMacroFile: no macro" << name << "to export to" << target;
        return;
    }
    QString error;
    if (!library.exportFile(name, target, &error))
        SaveFailures::instance().report(target, error);
}

bool myQQuickView::createMacroIni(QVariant name, QVariant deviceNo)
{
    const QString macro = name.toString();
    if (!acceptName("createMacroIni", macro))
        return false;
    return MacroLibrary::forDevice(deviceNo).create(macro);
}

bool myQQuickView::updataNameList(QVariant type, QVariantList nameList, QVariant deviceIndex)
{
    const QString key = NameList::key(type.toInt(), deviceIndex.toInt());
    if (key.isEmpty()) {
        qCWarning(lcBridge) << "updataNameList: no name list of type" << type;
        return false;
    }
    return NameList::store(kNameListFile, key, texts(nameList));
}

bool myQQuickView::modifyMacroName(QVariant oldname, QVariant newname, QVariant deviceNo)
{
    const QString from = oldname.toString(), to = newname.toString();
    if (!acceptName("modifyMacroName", from) || !acceptName("modifyMacroName", to))
        return false;
    return MacroLibrary::forDevice(deviceNo).rename(from, to);
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    const QString name = macroName.toString();
    if (name.isEmpty()) {
        qCWarning(lcBridge) << "deleteMacroUpdateProfile: no macro name";
        return;
    }
    resetMouseKeysPlaying(name, profileStoresUpTo(kProfilesWithMouseKeys), defaultsStore);
}

// The keyboard plays a key's macro from the slot numbered by the macro's list
// position; when the list changes, every profile's keys follow their macros.
QVariant myQQuickView::keyboardFollowMacroList(QVariantList before, QVariantList moves, QVariantList after)
{
    MacroListChange change{texts(before), {}, texts(after)};
    for (const QVariant &move : moves) {
        bool isNumber = false;
        const int to = move.toInt(&isNumber);
        change.moves.append(isNumber ? to : -2);
    }
    return followMacroList(change, profileStoresUpTo(), defaultsStore, currentProfile);
}

bool myQQuickView::deleteMacroIni(QVariant name, QVariant deviceNo)
{
    const QString macro = name.toString();
    if (!acceptName("deleteMacroIni", macro))
        return false;
    return MacroLibrary::forDevice(deviceNo).remove(macro);
}

QVariantList myQQuickView::getNameList(QVariant type, QVariant deviceIndex)
{
    const QString key = NameList::key(type.toInt(), deviceIndex.toInt());
    if (key.isEmpty()) {
        qCWarning(lcBridge) << "getNameList: no name list of type" << type;
        return {};
    }
    return variants(NameList::read(kNameListFile, key));
}

bool myQQuickView::saveMacroIni(QVariant name, QVariantList macros, QVariant repeat, QVariant deviceNo, QVariant delay,
                                QVariant times)
{
    const QString macro = name.toString();
    if (!acceptName("saveMacroIni", macro))
        return false;
    MacroLibrary library = MacroLibrary::forDevice(deviceNo);
    // The edit is lost: the user is told, as of any save that failed.
    if (const QString problem = library.problemOf(macro); !problem.isEmpty()) {
        SaveFailures::instance().report(library.pathOf(macro), problem);
        return false;
    }
    return library.save(macro, texts(macros), repeat.toInt(), delay.toInt(), times.toInt());
}

QVariantList myQQuickView::loadMacroIni(QVariant name, QVariant deviceNo)
{
    const QString macro = name.toString();
    if (!acceptName("loadMacroIni", macro))
        return {};
    return variants(MacroLibrary::forDevice(deviceNo).load(macro));
}
