#include "app/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// One conversion descriptor per call: GBK is stateless and the texts are short.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input; at each unconvertible sequence calls skip(), which appends a
    // stand-in to the output and returns how many input bytes to pass over.
    template <typename Skip>
    QByteArray convert(const QByteArray &input, Skip skip)
    {
        QByteArray output;
        char *in = const_cast<char *>(input.constData());
        size_t inLeft = size_t(input.size());
        char buffer[512];
        while (inLeft > 0) {
            char *out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t converted = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer, out - buffer);
            if (converted != size_t(-1) || error == E2BIG)
                continue;
            // EILSEQ, or EINVAL for a sequence cut off at the end.
            const size_t passOver = std::min(skip(output, static_cast<unsigned char>(*in)), inLeft);
            in += passOver;
            inLeft -= passOver;
        }
        return output;
    }

private:
    iconv_t m_cd;
};

// Bytes of the UTF-8 sequence that starts with this byte.
size_t utf8SequenceLength(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

} // namespace

QByteArray toGbk(const QString &text, bool *ok)
{
    bool clean = true;
    Converter converter("GBK", "UTF-8");
    QByteArray bytes;
    if (converter.valid()) {
        bytes = converter.convert(text.toUtf8(), [&clean](QByteArray &out, unsigned char lead) {
            clean = false;
            out.append('?');
            return utf8SequenceLength(lead);
        });
    } else {
        // Without the GBK tables only ASCII survives as itself.
        for (const QChar ch : text) {
            clean = clean && ch.unicode() < 0x80;
            bytes.append(ch.unicode() < 0x80 ? char(ch.unicode()) : '?');
        }
    }
    if (ok)
        *ok = clean;
    return bytes;
}

QString fromGbk(const QByteArray &bytes, bool *ok)
{
    bool clean = true;
    Converter converter("UTF-8", "GBK");
    static const QByteArray Replacement = QStringLiteral("\uFFFD").toUtf8();
    QByteArray utf8;
    if (converter.valid()) {
        utf8 = converter.convert(bytes, [&clean](QByteArray &out, unsigned char) {
            clean = false;
            out.append(Replacement);
            return size_t(1);
        });
    } else {
        for (const char byte : bytes) {
            const bool ascii = static_cast<unsigned char>(byte) < 0x80;
            clean = clean && ascii;
            utf8.append(ascii ? QByteArray(1, byte) : Replacement);
        }
    }
    if (ok)
        *ok = clean;
    return QString::fromUtf8(utf8);
}

bool FitsGbk(const QString &text)
{
    bool ok = false;
    toGbk(text, &ok);
    return ok;
}
