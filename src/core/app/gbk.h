#pragma once

#include <QByteArray>
#include <QString>

// Texts in the GBK code page, as the scrambled passwords and the files of earlier versions
// hold them.

// The GBK bytes of the text. A character GBK cannot hold becomes "?" and ok (if given) turns
// false, so that a caller storing the text can refuse it instead of keeping a changed value.
QByteArray toGbk(const QString &text, bool *ok = nullptr);

// The text of GBK bytes. A byte sequence that is not GBK becomes U+FFFD and ok (if given)
// turns false; decoding goes on after it.
QString fromGbk(const QByteArray &bytes, bool *ok = nullptr);

// True when every character of the text has a GBK form.
bool FitsGbk(const QString &text);
