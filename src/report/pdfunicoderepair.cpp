#include "report/pdfunicoderepair.h"

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>

namespace {

// Glyph lookups in the fonts the report used.
class GlyphMatcher
{
public:
    GlyphMatcher(const QSet<char16_t> &drawn, const QStringList &families)
    {
        QString all;
        for (char16_t c : drawn)
            all += QChar(c);
        for (const QString &family : families) {
            Font font{QRawFont::fromFont(QFont(family)), {}};
            if (!font.raw.isValid())
                continue;
            const QList<quint32> glyphs = font.raw.glyphIndexesForString(all);
            for (qsizetype i = 0; i < all.size() && i < glyphs.size(); ++i) {
                if (glyphs.at(i) != 0)
                    font.drawnByGlyph.insert(glyphs.at(i), all.at(i).unicode());
            }
            m_fonts << font;
        }
    }

    // The drawn character that shares its glyph with `code`, or 0.
    char16_t drawnTwin(char16_t code) const
    {
        for (const Font &font : m_fonts) {
            const QList<quint32> glyph = font.raw.glyphIndexesForString(QString(QChar(code)));
            if (glyph.isEmpty() || glyph.first() == 0)
                continue;
            const char16_t twin = font.drawnByGlyph.value(glyph.first(), 0);
            if (twin)
                return twin;
        }
        return 0;
    }

private:
    struct Font
    {
        QRawFont raw;
        QHash<quint32, char16_t> drawnByGlyph;
    };
    QList<Font> m_fonts;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Replaces the four hex digits at `at` by the drawn twin of the code they name.
bool replaceCode(QByteArray &pdf, qsizetype at, const QSet<char16_t> &drawn,
                 const GlyphMatcher &matcher)
{
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexValue(pdf.at(at + i));
        if (digit < 0)
            return false;
        value = value * 16 + digit;
    }
    const char16_t code = char16_t(value);
    if (code < 0x80 || drawn.contains(code))
        return false;
    const char16_t twin = matcher.drawnTwin(code);
    if (!twin || twin == code)
        return false;
    const QByteArray hex = QByteArray::number(twin, 16).toUpper().rightJustified(4, '0');
    for (int i = 0; i < 4; ++i)
        pdf[at + i] = hex.at(i);
    return true;
}

} // namespace

namespace PdfUnicodeRepair {

int repair(QByteArray &pdf, const QSet<char16_t> &drawn, const QStringList &families)
{
    const GlyphMatcher matcher(drawn, families);
    int replaced = 0;
    qsizetype at = 0;
    while ((at = pdf.indexOf("begincmap", at)) >= 0) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0)
            break;
        // Within bfrange and bfchar sections: the destination codes. A range without brackets
        // ("<a> <b> <dst>") maps consecutive codes, so its destination changes only when it
        // maps a single glyph.
        enum class Section { None, Range, Char } section = Section::None;
        bool inArray = false;
        QList<qsizetype> lineTokens;
        for (qsizetype i = at; i < end; ++i) {
            const char c = pdf.at(i);
            if (c == '\n') {
                if (section == Section::Char && lineTokens.size() == 2)
                    replaced += replaceCode(pdf, lineTokens.at(1) + 1, drawn, matcher);
                if (section == Section::Range && lineTokens.size() == 3
                    && pdf.mid(lineTokens.at(0), 6) == pdf.mid(lineTokens.at(1), 6))
                    replaced += replaceCode(pdf, lineTokens.at(2) + 1, drawn, matcher);
                lineTokens.clear();
                continue;
            }
            if (c == 'b' && pdf.mid(i, 12) == "beginbfrange")
                section = Section::Range;
            else if (c == 'b' && pdf.mid(i, 11) == "beginbfchar")
                section = Section::Char;
            else if (c == 'e' && (pdf.mid(i, 10) == "endbfrange" || pdf.mid(i, 9) == "endbfchar"))
                section = Section::None;
            else if (c == '[')
                inArray = true;
            else if (c == ']')
                inArray = false;
            else if (c == '<' && i + 5 < end && pdf.at(i + 5) == '>') {
                if (inArray && section == Section::Range)
                    replaced += replaceCode(pdf, i + 1, drawn, matcher);
                else if (!inArray)
                    lineTokens << i;
                i += 5;
            }
        }
        at = end;
    }
    return replaced;
}

} // namespace PdfUnicodeRepair
