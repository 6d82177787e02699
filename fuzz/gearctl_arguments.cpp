// gearctl's conversion of JSON arguments into slot parameters, and the call
// that hands them over. The first input byte picks a slot of a stand-in
// object whose parameters are the kinds the device object and the bridge
// take; each further line is one argument's JSON text. A converted call must
// go through, with every byte buffer as long as a command reads.
#include "fuzz_support.h"
#include "tools/gearctl/argument_conversion.h"
#include "tools/gearctl/slot_call.h"

#include <QJsonValue>
#include <QObject>

class ParameterKinds : public QObject
{
    Q_OBJECT

public slots:
    void bytes(uchar a, int b, uint c) { touch({a, quint64(b), c}); }
    // A command copies a fixed length out of its buffer, whatever was given.
    void buffer(int length, uchar *bytes, uchar &byte)
    {
        for (int i = 0; i < SlotArguments::kBufferSize; ++i)
            touch({bytes[i]});
        byte = uchar(length);
    }
    void outputs(uchar &first, uchar &second, uchar &third, uchar &fourth) { first = second = third = fourth = 1; }
    QVariant variants(const QVariant &value, const QVariantList &list) { return list.isEmpty() ? value : list; }
    bool texts(bool flag, const QString &text, double number) { return flag || !text.isEmpty() || number > 0; }
    int containers(const QStringList &names, const QByteArray &block, const QVariantMap &object)
    {
        return int(names.size() + block.size() + object.size());
    }
    qlonglong wide(qlonglong a, qulonglong b, short c, ushort d, long e, ulong f)
    {
        touch({quint64(a), b, quint64(c), d, quint64(e), f});
        return a;
    }
    void narrow(char a, signed char b, float c, QJsonValue d) { touch({quint64(a), quint64(b), c > 0, d.isNull()}); }

private:
    // Uses each value (wrapping, as the values are arbitrary).
    void touch(std::initializer_list<quint64> values)
    {
        for (const quint64 value : values)
            m_sum += value;
    }
    quint64 m_sum = 0;
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static ParameterKinds object;
    const QMetaObject *meta = object.metaObject();
    const int slotCount = meta->methodCount() - meta->methodOffset();
    const QMetaMethod method = meta->method(meta->methodOffset() + data[0] % slotCount);

    QStringList texts = fuzz::linesOf(fuzz::bytesOf(data + 1, size - 1));
    texts = texts.mid(0, method.parameterCount());
    while (texts.size() < method.parameterCount())
        texts.append(QStringLiteral("0"));

    SlotArguments arguments;
    QString error;
    if (!arguments.convert(method, texts, &error)) {
        if (error.isEmpty() || arguments.count() != 0)
            __builtin_trap();
        return 0;
    }
    QVariant returned;
    if (!callSlot(&object, method, arguments, &returned))
        __builtin_trap();
    for (const SlotArguments::Output &output : arguments.outputs())
        (void)output.value.toString();
    return 0;
}

#include "gearctl_arguments.moc"
