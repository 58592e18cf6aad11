#include "i18n/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace
{

constexpr int MaxValueLength = 2047;
const QByteArray Bom("\xEF\xBB\xBF", 3);

bool isSectionLine(const QString &trimmed, QString *name)
{
    if (!trimmed.startsWith(QLatin1Char('[')))
        return false;
    const int close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = trimmed.mid(1, close - 1).trimmed();
    return true;
}

// Splits "key=value"; false for a comment, a section or a line without "=".
bool splitKeyLine(const QString &line, QString *key, QString *value)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('[')))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

QString unquote(QString v)
{
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(MaxValueLength);
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString IniFile::decode(const QByteArray &bytes, Encoding *used)
{
    if (bytes.startsWith(Bom)) {
        if (used)
            *used = Encoding::Utf8Bom;
        return QString::fromUtf8(bytes.mid(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (used)
            *used = Encoding::Utf8;
        return text;
    }
    if (used)
        *used = Encoding::Gb18030;
    QStringDecoder gb("GB18030");
    if (gb.isValid())
        return gb.decode(bytes);
    return QString::fromLatin1(bytes);
}

QByteArray IniFile::encode(const QString &text, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8Bom: return Bom + text.toUtf8();
    case Encoding::Gb18030: {
        QStringEncoder gb("GB18030");
        if (gb.isValid())
            return gb.encode(text);
        return text.toLatin1();
    }
    default: return text.toUtf8();
    }
}

bool IniFile::load(const QString &path)
{
    m_lines.clear();
    m_exists = false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    loadBytes(f.readAll());
    m_exists = true;
    return true;
}

void IniFile::loadBytes(const QByteArray &bytes)
{
    const QString text = decode(bytes, &m_encoding);
    m_newline = text.contains(QLatin1String("\r\n")) || !text.contains(QLatin1Char('\n')) ? QStringLiteral("\r\n")
                                                                                          : QStringLiteral("\n");
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_lines = normal.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.back().isEmpty())
        m_lines.removeLast();
    m_exists = true;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    bool inSection = false;
    for (const QString &line : m_lines) {
        QString name;
        if (isSectionLine(line.trimmed(), &name)) {
            inSection = sameName(name, section);
            continue;
        }
        QString k, v;
        if (inSection && splitKeyLine(line, &k, &v) && sameName(k, key))
            return unquote(v);
    }
    return std::nullopt;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    return value(section, key).value_or(def);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString newLine = key + QLatin1Char('=') + value;
    int sectionAt = -1;
    int lastKeyLine = -1; // last non-blank line of the section
    for (int i = 0; i < m_lines.size(); ++i) {
        QString name;
        if (isSectionLine(m_lines[i].trimmed(), &name)) {
            if (sectionAt >= 0)
                break;
            if (sameName(name, section)) {
                sectionAt = i;
                lastKeyLine = i;
            }
            continue;
        }
        if (sectionAt < 0)
            continue;
        QString k;
        if (splitKeyLine(m_lines[i], &k, nullptr) && sameName(k, key)) {
            m_lines[i] = newLine;
            return;
        }
        if (!m_lines[i].trimmed().isEmpty())
            lastKeyLine = i;
    }
    if (sectionAt < 0) {
        if (!m_lines.isEmpty() && !m_lines.back().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(newLine);
        return;
    }
    m_lines.insert(lastKeyLine + 1, newLine);
}

QByteArray IniFile::toBytes() const
{
    QString text = m_lines.join(m_newline);
    if (!m_lines.isEmpty())
        text += m_newline;
    return encode(text, m_encoding);
}

bool IniFile::save(const QString &path, QString *error) const
{
    QSaveFile f(path);
    const QByteArray bytes = toBytes();
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}
