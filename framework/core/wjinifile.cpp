#include "wjinifile.h"
#include "wjerror.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

TIniFile::TIniFile(const QString &fileName) : m_fileName(fileName)
{
    Reload();
}

QString TIniFile::Decode(const QByteArray &bytes, Encoding *found)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (found) *found = Encoding::Utf8Bom;
        return QString::fromUtf8(bytes.mid(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (found) *found = Encoding::Utf8;
        return text;
    }
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        if (found) *found = Encoding::Gb18030;
        return gb.decode(bytes);
    }
    if (found) *found = Encoding::Utf8;
    return QString::fromUtf8(bytes);
}

void TIniFile::Reload()
{
    m_header.clear();
    m_sections.clear();
    m_encoding = Encoding::Utf8;
    QFile f(m_fileName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.readAll();
    m_crlf = bytes.contains("\r\n");
    const QString text = Decode(bytes, &m_encoding);
    const QStringList lines = text.split(QLatin1Char('\n'));
    Section *cur = nullptr;
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break;  // the newline that ends the file
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            const QString name = t.mid(1, t.size() - 2).trimmed();
            cur = find(name);
            if (!cur) {  // a repeated header continues the first one
                m_sections.append(Section{name, {}});
                cur = &m_sections.last();
            }
            continue;
        }
        Line line;
        line.raw = raw;
        const int eq = raw.indexOf(QLatin1Char('='));
        if (!t.isEmpty() && !t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('#')) && eq > 0) {
            line.isKey = true;
            line.key = raw.left(eq).trimmed();
            QString v = raw.mid(eq + 1).trimmed();
            if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                v = v.mid(1, v.size() - 2);
            line.value = v;
        }
        if (cur)
            cur->lines.append(line);
        else
            m_header.append(raw);
    }
}

const TIniFile::Section *TIniFile::find(const QString &section) const
{
    for (const Section &s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

TIniFile::Section *TIniFile::find(const QString &section)
{
    return const_cast<Section *>(std::as_const(*this).find(section));
}

const TIniFile::Line *TIniFile::findKey(const Section *s, const QString &key) const
{
    if (!s)
        return nullptr;
    for (const Line &l : s->lines)
        if (l.isKey && l.key.compare(key, Qt::CaseInsensitive) == 0)
            return &l;
    return nullptr;
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const Line *l = findKey(find(section), key);
    return l ? l->value : def;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const Line *l = findKey(find(section), key);
    if (!l)
        return def;
    bool ok = false;
    const QString v = l->value.trimmed();
    int r = v.toInt(&ok);
    if (!ok && (v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || v.startsWith(QLatin1Char('$'))))
        r = v.mid(v.startsWith(QLatin1Char('$')) ? 1 : 2).toInt(&ok, 16);
    return ok ? r : def;
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString &section, const QString &key, double def) const
{
    const Line *l = findKey(find(section), key);
    if (!l)
        return def;
    bool ok = false;
    const double r = l->value.trimmed().toDouble(&ok);
    return ok ? r : def;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.last();
    }
    Line *l = const_cast<Line *>(findKey(s, key));
    if (l) {
        l->value = value;
        l->raw.clear();
    } else {
        Line nl;
        nl.isKey = true;
        nl.key = key;
        nl.value = value;
        // Insert after the last key so trailing blank lines stay between sections.
        int at = s->lines.size();
        while (at > 0 && !s->lines[at - 1].isKey && s->lines[at - 1].raw.trimmed().isEmpty())
            --at;
        s->lines.insert(at, nl);
    }
    save();
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString &section) const
{
    return find(section) != nullptr;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return findKey(find(section), key) != nullptr;
}

QStringList TIniFile::ReadSections() const
{
    QStringList r;
    for (const Section &s : m_sections)
        r << s.name;
    return r;
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    QStringList r;
    if (const Section *s = find(section))
        for (const Line &l : s->lines)
            if (l.isKey)
                r << l.key;
    return r;
}

QList<QPair<QString, QString>> TIniFile::ReadSectionValues(const QString &section) const
{
    QList<QPair<QString, QString>> r;
    if (const Section *s = find(section))
        for (const Line &l : s->lines)
            if (l.isKey)
                r.append({l.key, l.value});
    return r;
}

void TIniFile::EraseSection(const QString &section)
{
    for (int i = 0; i < m_sections.size(); ++i)
        if (m_sections[i].name.compare(section, Qt::CaseInsensitive) == 0) {
            m_sections.removeAt(i);
            save();
            return;
        }
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    Section *s = find(section);
    if (!s)
        return;
    for (int i = 0; i < s->lines.size(); ++i)
        if (s->lines[i].isKey && s->lines[i].key.compare(key, Qt::CaseInsensitive) == 0) {
            s->lines.removeAt(i);
            save();
            return;
        }
}

void TIniFile::save() const
{
    const QLatin1String eol(m_crlf ? "\r\n" : "\n");
    QString text;
    for (const QString &h : m_header)
        text += h + eol;
    for (const Section &s : m_sections) {
        text += QLatin1Char('[') + s.name + QLatin1Char(']') + eol;
        for (const Line &l : s.lines) {
            if (l.isKey && l.raw.isEmpty())
                text += l.key + QLatin1Char('=') + l.value + eol;
            else
                text += l.raw + eol;
        }
    }
    QByteArray bytes;
    switch (m_encoding) {
    case Encoding::Gb18030: {
        QStringEncoder enc("GB18030");
        bytes = enc.encode(text);
        break;
    }
    case Encoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case Encoding::Utf8:
        bytes = text.toUtf8();
        break;
    }
    QSaveFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw EWjError(QStringLiteral("无法写入配置文件 %1：%2").arg(m_fileName, f.errorString()));
}
