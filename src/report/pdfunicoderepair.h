#pragma once

#include <QByteArray>
#include <QSet>
#include <QStringList>

// Qt writes the ToUnicode map of each embedded font by asking the font, for every code point
// from 0 up, which glyph it has, and keeps the lowest code point of each glyph. The Noto CJK
// fonts draw several ideographs with the very glyph of a CJK radical (行 and ⾏, 日 and ⽇, 户
// and ⼾ ...), so text copied or searched in our PDFs read 银⾏ for 银行 and 一般⼾ for 一般户.
// Knowing which characters were drawn, this puts each drawn character back in place of the
// code point that only shares its glyph. Codes are replaced by codes of the same length, so the
// offsets of the file stay valid. Returns the number of codes replaced.
namespace PdfUnicodeRepair {

int repair(QByteArray &pdf, const QSet<char16_t> &drawn, const QStringList &families);

} // namespace PdfUnicodeRepair
