#pragma once
// What the fuzz targets share: Qt set up once per process, and inputs turned
// into the files the readers expect.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Once per process: an application object (the readers run inside one in the
// program), Qt's message output dropped (each refusal logs a line, which at
// thousands of inputs a second would only slow the run), and a scratch
// folder of this process, removed at exit.
void setUp();

QString scratchFolder();

// The scratch folder as working directory while this lives, for readers of
// paths relative to it; libFuzzer's own paths stay relative to where it started.
class InScratchFolder
{
public:
    InScratchFolder();
    ~InScratchFolder();
    InScratchFolder(const InScratchFolder &) = delete;
    InScratchFolder &operator=(const InScratchFolder &) = delete;

private:
    QString m_previous;
};

QByteArray bytesOf(const uint8_t *data, size_t size);

// The input written to `folder/<prefix><n><suffix>` under the scratch folder,
// with a new n each time, and removed again when this goes away. A fresh name
// per input: the settings library keeps a parsed file by name and rereads it
// only when its size or time changed, which two inputs within a millisecond
// may not show.
class InputFile
{
public:
    InputFile(const QByteArray &bytes, const QString &folder, const QString &prefix, const QString &suffix);
    ~InputFile();
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    QString path() const { return m_path; }
    QString folder() const { return m_folder; }
    // The file name without folder and suffix.
    QString stem() const { return m_stem; }

private:
    QString m_path, m_folder, m_stem;
};

// The input split at its line feeds, for targets that take several texts.
QStringList linesOf(const QByteArray &bytes);

} // namespace fuzz
