#pragma once
// Where the program's relative paths (./modules/, ./update/) resolve.
//
// An unpacked build keeps its data in modules/ beside the executable and runs
// there, as it always has. An installed program cannot write beside itself:
// each user then runs in a data folder of his own
// ($XDG_DATA_HOME/gearconsole, by default ~/.local/share/gearconsole),
// seeded from the installed data with the files he does not have yet. A
// user's file is never overwritten.
#include <QString>

#include <functional>

struct DataFolderInputs
{
    QString programFolder;  // the executable's folder
    QString dataHome;       // $XDG_DATA_HOME when absolute, else $HOME/.local/share
    // Whether the program may write into a folder; access(W_OK) by default.
    std::function<bool(const QString &)> isWritable;
};

struct DataFolderChoice
{
    enum class Kind {
        ProgramFolder,  // the unpacked build's own folder (or nothing else to run in)
        UserFolder,     // the user's data folder, seeded from the shipped data
        ShippedData     // the user folder was refused: the shipped data, read only
    };
    Kind kind = Kind::ProgramFolder;
    QString workingFolder;  // absolute
    QString updaterFolder;  // "./update" beside the program, else the installed folder
    QString reason;         // one line for the log
};

struct SeedResult
{
    int copied = 0;
    int kept = 0;    // the user already had the file
    int failed = 0;
};

namespace DataFolder {

// The program's rule for this process: decides once (seeding the user folder
// when needed), logs the choice once and returns the folder to run in.
// gearconsole and gearctl both take their working directory from here.
QString workingFolderFor(const QString &programFolder);

// Where the updater programs are, for the choice made by workingFolderFor;
// "./update" before any choice.
QString updaterFolder();

// The data shipped with the program: modules/ beside it (an unpacked build)
// or the installed one; empty when there is neither.
QString shippedModulesFolder(const QString &programFolder);

// The rule itself, without remembering or logging.
DataFolderChoice choose(const DataFolderInputs &inputs);
DataFolderInputs inputsFromEnvironment(const QString &programFolder);

// Copies every file below `from` that is missing below `to` (a symbolic link
// there counts as present, dangling or not). Copies are readable and writable
// by their owner whatever the source's mode.
SeedResult seedMissingFiles(const QString &from, const QString &to);

} // namespace DataFolder
