#include "results/codepage.h"

#include <QHash>
#include <QStringDecoder>

namespace zavevad::codepage {

namespace {

// QStringConverter::encodingForName() does not know these names; the
// name-taking constructors reach ICU's converters for them.
constexpr const char *kCp1250 = "windows-1250";
constexpr const char *kIso88592 = "ISO-8859-2";

// Both code pages are single-byte: decoding each of the 256 bytes once with
// ICU gives the reverse map, so encoding is a lookup per character and an
// unmappable character is known for certain (ICU's encoder would substitute).
class SingleByteCodec
{
public:
    explicit SingleByteCodec(const char *name)
    {
        QStringDecoder decoder(name);
        Q_ASSERT(decoder.isValid());
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            if (decoder.hasError() || s.size() != 1 || s.at(0) == QChar::ReplacementCharacter) {
                decoder.resetState();
                decoder = QStringDecoder(name);
                continue;
            }
            m_toUnicode[b] = s.at(0).unicode();
            m_fromUnicode.insert(s.at(0).unicode(), byte);
        }
    }

    bool encode(char32_t ch, char &out) const
    {
        if (ch < 0x80) {
            out = static_cast<char>(ch);
            return true;
        }
        if (ch > 0xFFFF)
            return false;
        const auto it = m_fromUnicode.constFind(static_cast<char16_t>(ch));
        if (it == m_fromUnicode.cend())
            return false;
        out = *it;
        return true;
    }

    QString decode(QByteArrayView bytes) const
    {
        QString out(bytes.size(), Qt::Uninitialized);
        QChar *dst = out.data();
        for (const char c : bytes) {
            const char16_t u = m_toUnicode[static_cast<unsigned char>(c)];
            *dst++ = QChar(u ? u : static_cast<char16_t>(c == 0 ? 0 : QChar::ReplacementCharacter));
        }
        return out;
    }

private:
    char16_t m_toUnicode[256] = {};
    QHash<char16_t, char> m_fromUnicode;
};

const SingleByteCodec &cp1250()
{
    static const SingleByteCodec codec(kCp1250);
    return codec;
}

const SingleByteCodec &iso88592()
{
    static const SingleByteCodec codec(kIso88592);
    return codec;
}

} // namespace

QString fromCp1250(QByteArrayView bytes)
{
    return cp1250().decode(bytes);
}

QByteArray toCp1250(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    // A character the code page lacks becomes exactly one '?', so it never
    // shifts the rest of a fixed-width field.
    for (qsizetype i = 0; i < text.size();) {
        char32_t ch = text.at(i).unicode();
        qsizetype len = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()
                && text.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            len = 2;
        }
        char byte = '?';
        if (!cp1250().encode(ch, byte))
            byte = '?';
        out += byte;
        i += len;
    }
    return out;
}

bool fitsCp1250(QStringView text)
{
    char byte = 0;
    for (const QChar c : text) {
        if (!cp1250().encode(c.unicode(), byte) || c.isSurrogate())
            return false;
    }
    return true;
}

bool toIso88592(char32_t ch, char &out)
{
    return iso88592().encode(ch, out);
}

} // namespace zavevad::codepage
