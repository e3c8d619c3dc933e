#include "login/inifile.h"

#include "app/gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

bool isComment(const QString &trimmed)
{
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

// The name of a "[name]" line, or nothing.
std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString keyOf(const QString &line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

QString decodeValue(const QString &raw)
{
    const QString trimmed = raw.trimmed();
    if (!trimmed.startsWith(u'"'))
        return trimmed;
    QString value;
    for (qsizetype i = 1; i < trimmed.size(); ++i) {
        const QChar ch = trimmed.at(i);
        if (ch == u'"')
            return value;
        if (ch == u'\\' && i + 1 < trimmed.size()) {
            const QChar escaped = trimmed.at(++i);
            value += escaped == u'n' ? QChar(u'\n')
                     : escaped == u'r' ? QChar(u'\r')
                     : escaped == u't' ? QChar(u'\t')
                                       : escaped;
            continue;
        }
        value += ch;
    }
    return trimmed; // no closing quote: the text as it stands
}

QString encodeValue(const QString &value)
{
    static const QString Special = QStringLiteral("\";,\\\n\r\t");
    const bool plain = value.trimmed() == value
                       && std::none_of(value.cbegin(), value.cend(),
                                       [](QChar ch) { return Special.contains(ch); });
    if (plain)
        return value;
    QString quoted = QStringLiteral("\"");
    for (const QChar ch : value) {
        if (ch == u'\n')
            quoted += QStringLiteral("\\n");
        else if (ch == u'\r')
            quoted += QStringLiteral("\\r");
        else if (ch == u'\t')
            quoted += QStringLiteral("\\t");
        else if (ch == u'"' || ch == u'\\')
            quoted += u'\\' + QString(ch);
        else
            quoted += ch;
    }
    return quoted + u'"';
}

} // namespace

IniFile IniFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = fromGbk(bytes);
    return fromText(text);
}

IniFile IniFile::fromText(const QString &text)
{
    IniFile ini;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    ini.m_lines = body.split(u'\n');
    for (QString &line : ini.m_lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!ini.m_lines.isEmpty() && ini.m_lines.constLast().isEmpty())
        ini.m_lines.removeLast();
    return ini;
}

IniFile::Place IniFile::find(const QString &section, const QString &key) const
{
    Place place;
    qsizetype i = 0;
    for (; i < m_lines.size(); ++i) {
        const std::optional<QString> name = sectionName(m_lines.at(i));
        if (name && sameName(*name, section))
            break;
    }
    if (i == m_lines.size())
        return place;
    place.sectionLine = i;
    place.sectionEnd = i + 1;
    for (++i; i < m_lines.size() && !sectionName(m_lines.at(i)); ++i) {
        const QString trimmed = m_lines.at(i).trimmed();
        if (trimmed.isEmpty())
            continue;
        place.sectionEnd = i + 1;
        if (place.keyLine < 0 && !isComment(trimmed) && sameName(keyOf(trimmed), key))
            place.keyLine = i;
    }
    return place;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const Place place = find(section, key);
    if (place.keyLine < 0)
        return std::nullopt;
    const QString &line = m_lines.at(place.keyLine);
    return decodeValue(line.mid(line.indexOf(u'=') + 1));
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    return value(section, key).value_or(fallback);
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + u'=' + encodeValue(value);
    const Place place = find(section, key);
    if (place.keyLine >= 0) {
        m_lines[place.keyLine] = line;
    } else if (place.sectionLine >= 0) {
        m_lines.insert(place.sectionEnd, line);
    } else {
        if (!m_lines.isEmpty() && !m_lines.constLast().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
    }
}

QString IniFile::text() const
{
    return m_lines.isEmpty() ? QString() : m_lines.join(u'\n') + u'\n';
}

bool IniFile::save(const QString &path, QString *error) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const bool done = file.open(QIODevice::WriteOnly)
                      && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                      && file.write(text().toUtf8()) >= 0 && file.commit();
    if (!done && error)
        *error = QStringLiteral("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(path),
                                                          file.errorString());
    return done;
}
