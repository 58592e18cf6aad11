#include "app/Report.h"
#include "app/PrintData.h"

#include <QFontDatabase>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace
{

// SimSun where the system has it. Else Latin text comes from a family with a
// true bold face (a synthetic bold is lost when the preview scales the page)
// and Chinese from a freely licensed font that has the glyphs.
QStringList reportFamilies()
{
    const QStringList installed = QFontDatabase::families();
    for (const char *f : { "SimSun", "宋体" })
        if (installed.contains(QString::fromUtf8(f)))
            return { QString::fromUtf8(f) };
    QStringList out;
    for (const char *f : { "DejaVu Sans", "WenQuanYi Micro Hei", "Noto Sans CJK SC" })
        if (installed.contains(QString::fromUtf8(f)))
            out << QString::fromUtf8(f);
    return out.isEmpty() ? QStringList { QFont().family() } : out;
}

// The date as yyyy/MM/dd with the system's date separator in place of the slash.
QString reportDate(const QDate &date)
{
    QChar separator = QLatin1Char('/');
    for (const QChar c : QLocale::system().dateFormat(QLocale::ShortFormat))
        if (c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-')) {
            separator = c;
            break;
        }
    return date.toString(QStringLiteral("yyyy%1MM%1dd").arg(separator));
}

// The pages the user chose in the print dialog; every page for a PDF writer
// or when no range was chosen.
QPageRanges chosenPages(QPagedPaintDevice &device)
{
    auto *printer = dynamic_cast<QPrinter *>(&device);
    if (!printer || printer->printRange() != QPrinter::PageRange)
        return {};
    return printer->pageRanges();
}

// The template's sizes are in pixels of a 96 dpi screen.
QFont reportFont(const QStringList &families, bool bold, int pixels = 13)
{
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(pixels * 72.0 / 96.0);
    f.setBold(bold);
    return f;
}

class Pager
{
public:
    Pager(QPagedPaintDevice &device, const PrintData &data, const QDateTime &now)
        : m_device(device)
        , m_data(data)
        , m_now(now)
        , m_families(reportFamilies())
        , m_pages(chosenPages(device))
    {
        m_device.setPageLayout(QPageLayout(
            QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 2, 10, 10), QPageLayout::Millimeter));
        m_ok = m_painter.begin(&m_device);
        m_scale = m_device.logicalDpiY() / 25.4;
        const QRectF paint = m_device.pageLayout().paintRect(QPageLayout::Millimeter);
        m_pageHeight = paint.height();
    }
    ~Pager()
    {
        if (m_ok)
            m_painter.end();
    }

    bool run()
    {
        if (!m_ok)
            return false;
        startPage();
        int group = -1;
        for (const PrintDetail &row : m_data.Rows) {
            if (row.TypeID != group) {
                if (group != -1)
                    newPage();
                group = row.TypeID;
                ensureRoom(7 + 7);
                text(QRectF(0, m_y + 1, 51, 6), row.TypeName, true, Qt::AlignLeft | Qt::AlignVCenter);
                m_y += 7;
            }
            ensureRoom(7);
            const auto middle = Qt::AlignLeft | Qt::AlignVCenter;
            text(QRectF(5, m_y, 44, 7), row.AField, false, middle);
            text(QRectF(49, m_y, 43, 7), QStringLiteral("  ") + row.AValue, false, middle);
            text(QRectF(94, m_y, 48, 7), row.BField, false, middle);
            text(QRectF(143, m_y, 52, 7), row.BValue, false, middle);
            m_y += 7;
        }
        footer();
        m_ok = false; // ended here, so the destructor leaves the painter alone
        return m_painter.end();
    }

private:
    QRectF mm(const QRectF &r) const
    {
        return QRectF(r.x() * m_scale, r.y() * m_scale, r.width() * m_scale, r.height() * m_scale);
    }
    void text(const QRectF &r, const QString &s, bool bold, Qt::Alignment align, int pixels = 13,
        const QString &family = QString())
    {
        if (!m_painting)
            return;
        m_painter.setFont(reportFont(family.isEmpty() ? m_families : QStringList { family }, bold, pixels));
        m_painter.drawText(mm(r), int(align), s);
    }
    void line(double y)
    {
        if (m_painting)
            m_painter.drawLine(mm(QRectF(0, y, 0, 0)).topLeft(), mm(QRectF(195, y, 0, 0)).topLeft());
    }
    // Pages outside the chosen range are laid out but not painted, so the
    // page numbers stay those of the whole printout.
    void startPage()
    {
        ++m_page;
        m_painting = m_pages.isEmpty() || m_pages.contains(m_page);
        if (m_painting && m_painted)
            m_device.newPage();
        m_painted = m_painted || m_painting;
        const PrintHeader &h = m_data.Header;
        text(QRectF(0, 0, 195, 11), h.Title, true, Qt::AlignCenter, 19);
        text(QRectF(134, 11, 30, 5), reportDate(m_now.date()), false, Qt::AlignRight | Qt::AlignVCenter);
        text(QRectF(165, 11, 25, 5), QLocale().toString(m_now.time(), QLocale::ShortFormat), false,
            Qt::AlignRight | Qt::AlignVCenter);
        line(16);
        const QString fields[3][2] = { { h.AField, h.AValue }, { h.BField, h.BValue }, { h.CField, h.CValue } };
        for (int i = 0; i < 3; ++i) {
            text(QRectF(0, 18 + 5 * i, 66, 5), fields[i][0], true, Qt::AlignRight | Qt::AlignVCenter);
            text(QRectF(67, 18 + 5 * i, 113, 5), fields[i][1], true, Qt::AlignLeft | Qt::AlignVCenter);
        }
        line(36);
        m_y = 37;
    }
    void footer()
    {
        text(QRectF(80, m_pageHeight - 6, 20, 6), QString::number(m_page), true, Qt::AlignCenter, 13,
            QStringLiteral("Arial"));
    }
    void newPage()
    {
        footer();
        startPage();
    }
    void ensureRoom(double height)
    {
        if (m_y + height > m_pageHeight - 6)
            newPage();
    }

    QPagedPaintDevice &m_device;
    const PrintData &m_data;
    QDateTime m_now;
    QStringList m_families;
    QPainter m_painter;
    double m_scale = 1;
    double m_pageHeight = 0;
    double m_y = 0;
    QPageRanges m_pages;
    int m_page = 0;
    bool m_painting = true; // the current page is one to print
    bool m_painted = false; // a page has been printed, so the next needs a new sheet
    bool m_ok = false;
};

} // namespace

bool RenderReport(const PrintData &data, QPagedPaintDevice &device, const QDateTime &now)
{
    return Pager(device, data, now).run();
}
