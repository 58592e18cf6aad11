#pragma once
// Lays the printout out on pages: page header, one group per kind of row,
// each on a new page, detail lines and a page number footer, on Letter paper.

#include <QDateTime>

struct PrintData;
class QPagedPaintDevice;

// Renders onto a printer or PDF writer; now is the date and time the header shows.
// False when the device cannot be painted on (e.g. the PDF file cannot be created).
bool RenderReport(const PrintData &data, QPagedPaintDevice &device, const QDateTime &now);
