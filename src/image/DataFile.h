#pragma once
// Data files: a 16-byte header and image offsets 16..447, 448 bytes in all.

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

class TALL;
class TLanguage;

namespace DataFile
{
constexpr int Size = 448;
constexpr int HeaderSize = 16;
constexpr const char *Filter = "Data File(*.dat)";
} // namespace DataFile

using FileHeader = std::array<uint8_t, DataFile::HeaderSize>;

// t in the form yyyy-MM-dd HH:mm.
FileHeader EncodeFileHeader(const QString &modelText, const QString &bandDigits, const QString &t);
QString DecodeFileHeader(const FileHeader &h);
// The save time a header records, yyyy-MM-dd HH:mm.
QString FormatHeaderSaveTime(const FileHeader &h);

struct FileResult {
    enum Status { Ok, IoError, TooShort, UnknownModel, NoModelForBand };
    Status status = Ok;
    QString reason; // the system's reason for IoError
    bool ok() const { return status == Ok; }
};

// Writes the image to a temporary file beside path and renames it over path
// only when every byte is written, so a failed save leaves the old file whole.
// Clears Modified on success.
FileResult WriteDataFile(TALL &all, const QString &path, const QDateTime &now = QDateTime::currentDateTime());

// Checks the whole file before it touches anything: a short file, an unknown
// model code or a band that no model holds leave the working state as it was.
// On success the image, binding and sanitising follow the file; Modified is cleared.
FileResult ReadDataFile(TALL &all, const QString &path);

// One line for the user: what failed with which file and why. Unknown models
// and bands use the ModError text of the current language.
QString DescribeFileResult(const FileResult &result, const QString &path, const TLanguage &texts);
