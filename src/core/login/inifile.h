#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A settings file in ini form ("[SECTION]" lines and "Key=value" lines). Section and key names
// match in any letter case, as they do in the ini files of earlier versions; lines the program
// does not know, comments included, are kept as they stand when a value is changed.
// Values that need it are written between double quotes with backslash escapes, the form
// QSettings reads, so that quotes, ';', ',' and line breaks survive.
class IniFile
{
public:
    // The file's lines; none when the file is missing or unreadable. A file that is not UTF-8
    // is read as GBK, the code page of earlier versions.
    static IniFile load(const QString &path);
    static IniFile fromText(const QString &text);

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &fallback) const;
    // Replaces the key's line in the section, or adds the key (and the section) when missing.
    void setValue(const QString &section, const QString &key, const QString &value);

    QString text() const;
    // Replaces the file in one step (no half-written file is ever left), readable and
    // writable by its owner only: it may hold login data.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    struct Place
    {
        qsizetype sectionLine = -1; // -1: no such section
        qsizetype keyLine = -1;     // -1: no such key in the section
        qsizetype sectionEnd = 0;   // one past the section's last non-blank line
    };
    Place find(const QString &section, const QString &key) const;

    QStringList m_lines;
};
