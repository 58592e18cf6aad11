#pragma once
// New-image defaults, the identification and write-time blocks, sanitising.

#include <QDateTime>
#include <QString>
#include <cstdint>

class TALL;

// The option byte defaults of a new image, offsets 304..323.
extern const uint8_t OptionDefaults[20];

void LoadDefaults(TALL &all, const QDateTime &now = QDateTime::currentDateTime());
void WriteIdentification(TALL &all);
// t in the form yyyy-MM-dd HH:mm:ss.
void WriteTimeStamp(TALL &all, const QString &t);
QString FormatWriteTime(const uint8_t *block);
void SanitiseImage(TALL &all);
uint8_t ClampByte(uint8_t value, uint8_t low, uint8_t high, uint8_t replacement);
