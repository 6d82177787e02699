#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>

// One library of macros: a folder holding one INI file per macro, named
// after the macro. Every call opens the file it needs, uses it and closes it
// before returning, so nothing is cached between calls. Names are expected
// to have passed acceptName(); an unsafe one is refused here as well.
class MacroLibrary
{
public:
    explicit MacroLibrary(QString folder);
    // The keyboard library ("<modules>/macro/") for deviceNo 0, the mouse
    // library ("<modules>/macro1/") for deviceNo 1; any other number is
    // treated as the keyboard.
    static MacroLibrary forDevice(const QVariant &deviceNo, const QString &modulesFolder = QStringLiteral("./modules"));

    QString folder() const { return m_folder; }
    QString pathOf(const QString &name) const;
    // A file of that name is there.
    bool hasFile(const QString &name) const;
    // The macro's file is there and can be read.
    bool exists(const QString &name) const;
    // Why the macro cannot be read or saved (its file is missing or cannot
    // be read); empty when it can.
    QString problemOf(const QString &name) const;

    // Writes group "config" afresh (index 0, total 0, repeat 1, delay 1,
    // times 1); steps already in the file stay. False when it could not be
    // written.
    bool create(const QString &name);
    // Replaces the steps and the counts of an existing macro; false when
    // the macro does not exist or could not be written.
    bool save(const QString &name, const QStringList &actionLines, int repeat, int delay, int times);
    // The action lines followed by repeat, delay and times as text; empty
    // when the macro does not exist.
    QStringList load(const QString &name) const;
    // Renames inside the folder; never replaces another macro.
    bool rename(const QString &oldName, const QString &newName);
    bool remove(const QString &name);

    // Why a chosen file cannot be imported: it cannot be read, or holds no
    // macro (a count of steps in group "config"); empty when it can.
    static QString importProblem(const QString &source);
    // Copies a file in as macro `name`; an existing macro of that name is
    // kept and nothing is copied. A file that cannot be imported, or a copy
    // that failed, leaves nothing behind (Failed, and `error` says why).
    enum class ImportResult { Copied, NameTaken, Failed };
    ImportResult importFile(const QString &source, const QString &name, QString *error = nullptr);
    // Writes a copy of the macro file to `target` through a temporary file
    // and a rename; a failed export leaves `target` as it was.
    bool exportFile(const QString &name, const QString &target, QString *error = nullptr) const;

    // The most steps read from one file: a damaged count cannot make a load
    // run away.
    static constexpr int kMaxSteps = 4096;

private:
    QString m_folder;
};

// An action line as it comes out of the settings library. Written by it, a
// line is quoted and reads back as one string; a line someone wrote without
// quotes reads back as a list split at its commas, which is joined again.
QString actionLineText(const QVariant &stored);
