// TIniFile: Windows-style ini files.
//
// Sections and keys compare case-insensitively; keys are kept in file order
// (ReadSection returns them so); a missing key gives the caller's default.
// The file is read whether it is UTF-8 (with or without BOM) or GB18030, and is
// written back in the encoding it had (new files: UTF-8 without BOM). Comments and
// blank lines survive a write. Every Write*/Erase*/Delete* goes to disk at once,
// as on Windows; a file that cannot be written raises EWjError.
#pragma once
#include "wjglobal.h"
#include <QString>
#include <QStringList>
#include <QList>
#include <QPair>

class WJCORE_EXPORT TIniFile
{
public:
    enum class Encoding { Utf8, Utf8Bom, Gb18030 };

    // `fileName` is taken as given; use WjPath::Prog for program-folder names.
    explicit TIniFile(const QString &fileName);

    QString FileName() const { return m_fileName; }
    Encoding FileEncoding() const { return m_encoding; }

    QString ReadString(const QString &section, const QString &key, const QString &def = QString()) const;
    int ReadInteger(const QString &section, const QString &key, int def = 0) const;
    bool ReadBool(const QString &section, const QString &key, bool def = false) const;
    double ReadFloat(const QString &section, const QString &key, double def = 0) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString &section) const;                    // keys, file order
    QList<QPair<QString, QString>> ReadSectionValues(const QString &section) const; // key, value
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);

    // Re-reads the file from disk (another program may have changed it).
    void Reload();

    // Decodes ini bytes: BOM or valid UTF-8 as UTF-8, anything else as GB18030.
    static QString Decode(const QByteArray &bytes, Encoding *found = nullptr);

private:
    struct Line { QString key; QString value; QString raw; bool isKey = false; };
    struct Section { QString name; QList<Line> lines; };

    const Section *find(const QString &section) const;
    Section *find(const QString &section);
    const Line *findKey(const Section *s, const QString &key) const;
    void save() const;

    QString m_fileName;
    Encoding m_encoding = Encoding::Utf8;
    bool m_crlf = false;  // keep the line ends the file had
    QList<QString> m_header;  // lines before the first section
    QList<Section> m_sections;
};
