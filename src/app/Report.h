#pragma once
// Lays the printout out on pages: page header, one group per kind of row,
// each on a new page, detail lines and a page number footer, on Letter paper.

#include <QDateTime>

struct PrintData;
class QPagedPaintDevice;

// Renders onto a printer or PDF writer; now is the date and time the header shows.
void RenderReport(const PrintData &data, QPagedPaintDevice &device, const QDateTime &now);
