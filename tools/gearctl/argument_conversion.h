#pragma once
#include <QByteArray>
#include <QList>
#include <QMetaMethod>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// The arguments of one slot call, converted from the JSON texts given on the
// command line into values of the slot's parameter types, and kept alive for
// the call. Reference parameters (uchar&) start with the given value; byte
// pointers (uchar*) point into a zero-filled buffer of at least kBufferSize
// bytes, since a command copies a fixed length from them whatever was given.
class SlotArguments
{
public:
    static constexpr int kBufferSize = 512;

    // False, with *error saying which argument and why, when a text is not
    // one JSON value or does not fit its parameter. Expects as many texts as
    // the method has parameters.
    bool convert(const QMetaMethod &method, const QStringList &jsonTexts, QString *error);

    int count() const { return int(m_arguments.size()); }
    QByteArray typeName(int index) const { return m_arguments[size_t(index)].typeName; }
    // What the meta-object call takes for the parameter: the address of the
    // value, or for a byte pointer the address of the pointer.
    void *address(int index);

    // The reference and byte-pointer parameters, in parameter order, with
    // their values now; a buffer as many bytes as were given.
    struct Output
    {
        QString name;
        QVariant value;
    };
    QList<Output> outputs() const;

private:
    struct Argument
    {
        QByteArray typeName;
        QString name;
        QVariant value;           // the value itself, QVariant parameters included
        bool isOutput = false;    // a reference or a byte pointer
        bool isVariant = false;   // the parameter is a QVariant: pass the holder
        bool isBuffer = false;
        QByteArray buffer;
        int givenLength = 0;
        uchar *bufferStart = nullptr;
    };

    bool convertOne(Argument &argument, const QString &text, QString *problem);

    std::vector<Argument> m_arguments;
};
