#include "ini_escapes.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isAsciiLetterOrDigit(char16_t ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

int octalValue(char ch) { return ch >= '0' && ch <= '7' ? ch - '0' : -1; }

// Read as UTF-8 at the start of a value it would be taken for a byte order
// mark and dropped: it is written as an escape.
constexpr char16_t kByteOrderMark = 0xFEFF;

bool isHexDigit(char16_t ch) { return ch < 0x80 && hexValue(char(ch)) >= 0; }

char upperHexDigit(uint v) { return "0123456789ABCDEF"[v & 0xF]; }

// One-letter escapes of values, both ways.
struct Escape
{
    char letter;
    char16_t stands;
};
constexpr Escape kEscapes[] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'},
                               {'t', '\t'}, {'v', '\v'}, {'"', '"'},  {'\\', '\\'}};
// Read, not written.
constexpr Escape kReadOnlyEscapes[] = {{'?', '?'}, {'\'', '\''}};

const Escape *escapeFor(char letter)
{
    for (const Escape &e : kEscapes)
        if (e.letter == letter)
            return &e;
    for (const Escape &e : kReadOnlyEscapes)
        if (e.letter == letter)
            return &e;
    return nullptr;
}

const Escape *escapeOf(char16_t ch)
{
    for (const Escape &e : kEscapes)
        if (e.stands == ch)
            return &e;
    return nullptr;
}

void chopTrailingBlanks(QString &text, qsizetype limit)
{
    qsizetype n = text.size();
    while (n > limit && (text.at(n - 1) == u' ' || text.at(n - 1) == u'\t'))
        --n;
    text.truncate(n);
}

// Reads a value; `at` walks through it. Mirrors the settings library's
// reading state by state, so that odd files read the same as it reads them.
class ValueReader
{
public:
    ValueReader(QByteArrayView raw, QString &text, QStringList &list) : m_raw(raw), m_text(text), m_list(list) {}

    bool read()
    {
        skipBlanks();
        m_chopLimit = m_text.size();
        // Reading stops early (without trimming) at an escape the input ends in.
        if (readAll() && !m_quoted)
            chopTrailingBlanks(m_text, m_chopLimit);
        if (m_isList)
            m_list.append(m_text);
        return m_isList;
    }

private:
    bool atEnd() const { return m_at >= m_raw.size(); }
    char current() const { return m_raw.at(m_at); }

    void skipBlanks()
    {
        while (!atEnd() && (current() == ' ' || current() == '\t'))
            ++m_at;
    }

    // False when the value ended inside an escape.
    bool readAll()
    {
        while (!atEnd()) {
            switch (current()) {
            case '\\':
                if (!readEscape())
                    return false;
                break;
            case '"':
                ++m_at;
                m_quoted = true;
                m_inQuotes = !m_inQuotes;
                if (!m_inQuotes) {
                    skipBlanks();
                    m_chopLimit = m_text.size();
                }
                break;
            case ',':
                if (!m_inQuotes) {
                    nextEntry();
                    break;
                }
                readPlain();
                break;
            default:
                readPlain();
            }
        }
        return true;
    }

    void nextEntry()
    {
        if (!m_quoted)
            chopTrailingBlanks(m_text, m_chopLimit);
        if (!m_isList) {
            m_isList = true;
            m_list.clear();
        }
        m_list.append(m_text);
        m_text.clear();
        m_quoted = false;
        ++m_at;
        skipBlanks();
        m_chopLimit = m_text.size();
    }

    // Plain bytes up to the next escape, quote or comma, as UTF-8; the
    // decoder keeps an unfinished sequence for the next plain bytes.
    void readPlain()
    {
        qsizetype end = m_at + 1;
        while (end < m_raw.size() && m_raw.at(end) != '\\' && m_raw.at(end) != '"' && m_raw.at(end) != ',')
            ++end;
        m_text += m_fromUtf8(m_raw.sliced(m_at, end - m_at));
        m_at = end;
    }

    bool readEscape()
    {
        ++m_at;
        if (atEnd())
            return false;
        const char letter = m_raw.at(m_at++);
        if (const Escape *e = escapeFor(letter)) {
            m_text += QChar(e->stands);
        } else if (letter == 'x') {
            if (atEnd())
                return false;
            if (hexValue(current()) >= 0)
                return readNumber(0, 4, hexValue);
        } else if (octalValue(letter) >= 0) {
            return readNumber(char16_t(octalValue(letter)), 3, octalValue);
        } else if (letter == '\n' || letter == '\r') {
            // A line continued: \n, \r, \r\n and \n\r each end a line.
            if (!atEnd() && (current() == '\n' || current() == '\r') && current() != letter)
                ++m_at;
        }
        // Any other escaped character is dropped.
        m_chopLimit = m_text.size();
        return true;
    }

    // Digits of a \x or octal escape, as many as follow; one UTF-16 unit.
    bool readNumber(char16_t value, int shift, int (*digit)(char))
    {
        while (!atEnd() && digit(current()) >= 0) {
            value = char16_t((value << shift) + digit(current()));
            ++m_at;
        }
        m_text += QChar(value);
        if (atEnd())
            return false;
        m_chopLimit = m_text.size();
        return true;
    }

    QByteArrayView m_raw;
    QString &m_text;
    QStringList &m_list;
    QStringDecoder m_fromUtf8{QStringDecoder::Utf8};
    qsizetype m_at = 0;
    qsizetype m_chopLimit = 0;
    bool m_isList = false;
    bool m_inQuotes = false;
    bool m_quoted = false;
};

} // namespace

namespace IniEscapes {

void appendKey(QByteArray &out, QStringView key)
{
    for (const QChar qch : key) {
        const char16_t ch = qch.unicode();
        if (ch == u'/') {
            out += '\\';
        } else if (isAsciiLetterOrDigit(ch) || ch == u'_' || ch == u'-' || ch == u'.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += upperHexDigit(ch >> 4);
            out += upperHexDigit(ch);
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += upperHexDigit(ch >> shift);
        }
    }
}

QString key(QByteArrayView escaped)
{
    const QString decoded = QString::fromUtf8(escaped);
    const qsizetype size = decoded.size();
    QString result;
    result.reserve(size);
    for (qsizetype i = 0; i < size;) {
        const QChar ch = decoded.at(i);
        if (ch == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (ch != u'%' || i == size - 1) {
            result += ch;
            ++i;
            continue;
        }
        const bool wide = decoded.at(i + 1) == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code = first + digits <= size ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            result += u'%';
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

void appendText(QByteArray &out, QStringView text)
{
    const bool binaryForm = text.startsWith(QLatin1String("@ByteArray(")) || text.startsWith(QLatin1String("@Variant("))
                            || text.startsWith(QLatin1String("@DateTime("));
    const qsizetype start = out.size();
    bool needsQuotes = false;
    // After \0 or a \x escape a hex digit would join the number: it is
    // escaped as well.
    bool escapeHexDigit = false;
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    for (const QChar qch : text) {
        const char16_t ch = qch.unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            needsQuotes = true;
        if (escapeHexDigit && isHexDigit(ch)) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeHexDigit = false;
        if (ch == 0) {
            out += "\\0";
            escapeHexDigit = true;
        } else if (const Escape *e = escapeOf(ch)) {
            out += '\\';
            out += e->letter;
        } else if (ch <= 0x1F || (ch >= 0x7F && binaryForm) || ch == kByteOrderMark) {
            out += "\\x" + QByteArray::number(ch, 16);
            escapeHexDigit = true;
        } else if (binaryForm) {
            out += char(ch);
        } else {
            out += toUtf8(QStringView(&qch, 1));
        }
    }
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

void appendTextList(QByteArray &out, const QStringList &texts)
{
    // An empty list is written as the invalid value, which reads back as
    // an empty list where one is asked for.
    if (texts.isEmpty()) {
        out += "@Invalid()";
        return;
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i != 0)
            out += ", ";
        appendText(out, texts.at(i));
    }
}

bool value(QByteArrayView raw, QString &text, QStringList &list) { return ValueReader(raw, text, list).read(); }

} // namespace IniEscapes
