#pragma once
// Initialisation files as the program's settings and language files use them.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Reads and writes INI files: case-insensitive section and key names, values
// trimmed and stripped of matching quotes, ";" comments, values cut at 2047
// characters. Writing one key leaves every other line of the file as it was.
// Files are decoded as UTF-8 when valid, otherwise as GB18030 (GBK), and are
// written back in the encoding they were read in.
class IniFile
{
public:
    enum class Encoding { Utf8, Utf8Bom, Gb18030 };

    IniFile() = default;
    explicit IniFile(const QString &path) { load(path); }

    // Loads the file; a missing or unreadable file reads as empty.
    bool load(const QString &path);
    // Parses text already held in memory (for tests and shipped defaults).
    void loadBytes(const QByteArray &bytes);

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &def) const;

    // Sets one key, replacing its line or adding it at the end of its section.
    void writeString(const QString &section, const QString &key, const QString &value);
    // Writes the file back in its encoding; on failure returns false and sets error.
    bool save(const QString &path, QString *error = nullptr) const;
    QByteArray toBytes() const;

    Encoding encoding() const { return m_encoding; }
    void setEncoding(Encoding e) { m_encoding = e; }
    bool exists() const { return m_exists; }

    static QString decode(const QByteArray &bytes, Encoding *used = nullptr);
    static QByteArray encode(const QString &text, Encoding encoding);

private:
    QStringList m_lines;
    Encoding m_encoding = Encoding::Utf8;
    bool m_exists = false;
    QString m_newline = QStringLiteral("\r\n");
};
