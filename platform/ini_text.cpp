#include "ini_text.h"

#include "ini_escapes.h"
#include "ini_values.h"

#include <QList>
#include <QSet>

namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

bool isSpecial(char ch) { return ch == '\n' || ch == '\r' || ch == '"' || ch == ';' || ch == '=' || ch == '\\'; }

struct Line
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;  // the first '=' outside quotes, from the start of the data
};

// The next line from `at`, which moves past it. A line ends at a line break
// outside quotes, or at ';' (the rest of the line is a comment); a comment
// line is skipped whole; '\' takes the character after it, a line break too.
bool nextLine(QByteArrayView data, qsizetype &at, Line &line)
{
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    line.start = at;
    while (line.start < size && isBlank(data.at(line.start)))
        ++line.start;
    qsizetype i = line.start;
    while (i < size) {
        const char ch = data.at(i++);
        if (!isSpecial(ch))
            continue;
        if (ch == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == line.start + 1) {  // ';' starting a line: a comment line
            while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                ++i;
            while (i < size && isBlank(data.at(i)))
                ++i;
            line.start = i;
        } else if (!inQuotes) {  // ';' after something: the rest is a comment
            --i;
            break;
        }
    }
    at = i;
    line.length = i - line.start;
    return line.length > 0;
}

// The name a section line gives its keys ("name/"), or no prefix for
// "[General]"; "[%General]" is the section that is really called General.
QString sectionPrefix(QByteArrayView name)
{
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1)) + u'/';
    return IniEscapes::key(name) + u'/';
}

bool isSerialized(const QString &text)
{
    return (text.startsWith(QLatin1String("@Variant(")) || text.startsWith(QLatin1String("@DateTime(")))
           && text.endsWith(u')');
}

void count(const QString &text, const QVariant &value, IniText::Reading &reading)
{
    if (!isSerialized(text))
        return;
    ++reading.serialized;
    if (value.metaType().id() == QMetaType::QString)
        ++reading.keptAsText;
}

// Equal texts in a file's lists share one copy: a profile holds about a
// thousand of them (the flags of its pictures, the kinds of its keys), each
// otherwise an allocation of its own for as long as its store is open.
QVariant sharingTexts(const QVariant &value, QSet<QString> &texts)
{
    if (value.metaType().id() != QMetaType::QStringList)
        return value;
    QStringList list = value.toStringList();
    for (QString &text : list) {
        const auto known = texts.constFind(text);
        if (known == texts.cend())
            texts.insert(text);
        else
            text = *known;
    }
    return list;
}

QVariant readValue(QByteArrayView raw, IniText::Reading &reading)
{
    QString text;
    QStringList list;
    if (!IniEscapes::value(raw, text, list)) {
        const QVariant value = IniValues::fromText(text);
        count(text, value, reading);
        return value;
    }
    const QVariant value = IniValues::fromTexts(list);
    if (value.metaType().id() == QMetaType::QVariantList) {
        const QVariantList values = value.toList();
        for (qsizetype i = 0; i < list.size(); ++i)
            count(list.at(i), values.at(i), reading);
    }
    return value;
}

struct KeyLine
{
    QByteArrayView key, value;
};

} // namespace

namespace IniText {

Reading read(QByteArrayView text)
{
    if (text.startsWith("\xef\xbb\xbf"))
        text = text.sliced(3);
    Reading reading;
    // The lines of each section, gathered first (a section may come back
    // further down) and read section by section in the order of their
    // names, as the library reads them.
    QMap<QString, QList<KeyLine>> sections;
    QString prefix;
    qsizetype at = 0;
    Line line;
    while (nextLine(text, at, line)) {
        const QByteArrayView content = text.sliced(line.start, line.length);
        if (content.startsWith('[')) {
            qsizetype close = content.indexOf(']');
            if (close < 0) {
                ++reading.skippedLines;
                close = content.size();
            }
            prefix = sectionPrefix(content.first(close).sliced(1).trimmed());
            sections[prefix];
            continue;
        }
        if (line.equals < 0) {
            if (!content.startsWith(';'))
                ++reading.skippedLines;
            continue;
        }
        const qsizetype equals = line.equals - line.start;
        sections[prefix].append({content.first(equals).trimmed(), content.sliced(equals + 1)});
    }
    QSet<QString> texts;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        for (const KeyLine &keyLine : section.value())
            reading.values.insert(section.key() + IniEscapes::key(keyLine.key),
                                  sharingTexts(readValue(keyLine.value, reading), texts));
    }
    return reading;
}

QByteArray write(const Values &values, int *unwritable)
{
    QMap<QString, Values> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (slash < 0)
            sections[QString()].insert(it.key(), it.value());
        else
            sections[it.key().left(slash)].insert(it.key().sliced(slash + 1), it.value());
    }
    QByteArray out;
    int refused = 0;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        QByteArray name;
        IniEscapes::appendKey(name, section.key());
        if (section != sections.cbegin())
            out += '\n';
        if (name.isEmpty())
            out += "[General]";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            out += "[%" + name + ']';  // as spelled: "[%General]" alone would read back as "General/"
        else
            out += '[' + name + ']';
        out += '\n';
        for (auto it = section.value().cbegin(); it != section.value().cend(); ++it) {
            IniEscapes::appendKey(out, it.key());
            out += '=';
            bool written = true;
            if (IniValues::isWrittenAsList(it.value()))
                IniEscapes::appendTextList(out, IniValues::toTexts(it.value().toList(), &written));
            else
                IniEscapes::appendText(out, IniValues::toText(it.value(), &written));
            refused += written ? 0 : 1;
            out += '\n';
        }
    }
    if (unwritable)
        *unwritable = refused;
    return out;
}

} // namespace IniText
