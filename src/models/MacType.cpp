#include "models/MacType.h"

#include <algorithm>
#include "image/AllClass.h"

const TMacType *TMacList::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_models[size_t(index)].get();
}

const TMacType *TMacList::FindByName(const QString &text) const
{
    for (const auto &m : m_models)
        if (m->Name == text)
            return m.get();
    return nullptr;
}

const TMacType *TMacList::FindByCode(const QString &text) const
{
    for (const auto &m : m_models)
        if (m->Code == text)
            return m.get();
    return nullptr;
}

const TMacType *TMacList::FindByBand(const QString &text) const
{
    for (const auto &m : m_models)
        if (m->Bands.contains(text))
            return m.get();
    return nullptr;
}

void TMacList::FillNames(QStringList &list) const
{
    list.clear();
    for (const auto &m : m_models)
        list.append(m->Name);
}

uint8_t TFrqList::CodeOf(const QString &text) const
{
    for (const auto &e : m_entries)
        if (e.text == text)
            return e.code;
    return m_entries.empty() ? 0xFD : m_entries.front().code;
}

QString TFrqList::TextOf(uint8_t code) const
{
    for (const auto &e : m_entries)
        if (e.code == code)
            return e.text;
    // An unknown code stands for the widest UHF band, entry 10 of the list.
    return m_entries.size() > 10 ? m_entries[10].text : QString();
}

BandEdges ParseBand(const QString &bandText)
{
    BandEdges e;
    const int dash = bandText.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return e;
    e.lower = bandText.left(dash).trimmed().toDouble();
    QString rest = bandText.mid(dash + 1);
    const int mhz = rest.indexOf(QLatin1String("MHz"));
    if (mhz >= 0)
        rest = rest.left(mhz);
    e.upper = rest.trimmed().toDouble();
    return e;
}

void BuildBandList(TFrqList &bands)
{
    static const struct {
        const char *text;
        uint8_t code;
    } table[] = {
        { " 27 -  72MHz", 0xFD },
        { "136 - 150MHz", 0xF1 },
        { "136 - 174MHz", 0xF2 },
        { "150 - 174MHz", 0xF0 },
        { "216 - 223MHz", 0xF3 },
        { "350 - 370MHz", 0xFA },
        { "350 - 390MHz", 0xFB },
        { "370 - 390MHz", 0xFC },
        { "400 - 420MHz", 0xF8 },
        { "400 - 470MHz", 0xF7 },
        { "440 - 480MHz", 0xF9 },
        { "450 - 470MHz", 0xF4 },
        { "450 - 490MHz", 0xF5 },
        { "470 - 650MHz", 0xF6 },
    };
    for (const auto &row : table)
        bands.Add(QString::fromLatin1(row.text), row.code);
}

void BuildCatalogue(TALL &all, TMacList &models)
{
    all.ProductName = QStringLiteral("TL-5960s");
    all.SerialEditable = true;

    auto uhf = std::make_unique<TMacType>(QStringLiteral("5960"), 16, all.ProductName + QStringLiteral("(UHF)"));
    uhf->SetRange(650.0, 300.0);
    for (const char *b : { "350 - 370MHz", "350 - 390MHz", "370 - 390MHz", "400 - 420MHz", "400 - 470MHz",
             "440 - 480MHz", "450 - 470MHz", "450 - 490MHz", "470 - 650MHz" })
        uhf->AddBand(QString::fromLatin1(b));
    uhf->SetDefaultBand(QStringLiteral("450 - 470MHz"));
    models.Add(std::move(uhf));

    auto vhf = std::make_unique<TMacType>(QStringLiteral("4960"), 16, all.ProductName + QStringLiteral("(VHF)"));
    vhf->SetRange(300.0, 67.0);
    for (const char *b : { "136 - 150MHz", "136 - 174MHz", "150 - 174MHz", "216 - 223MHz" })
        vhf->AddBand(QString::fromLatin1(b));
    vhf->SetDefaultBand(QStringLiteral("150 - 174MHz"));
    models.Add(std::move(vhf));
}

bool BindModel(TALL &all, uint8_t bandCode, bool takeBand)
{
    const QString band = all.Bands->TextOf(bandCode);
    const TMacType *model = all.Models->FindByBand(band);
    if (!model)
        return false;
    all.CurrentModel = model;
    all.ModelName = model->Name;
    all.ModelCode = model->Code;
    all.ModelMaxFreq = model->MaxFreq;
    all.ModelMinFreq = model->MinFreq;
    all.ChannelCount = model->ChannelCount;
    all.BandText = model->DefaultBand;
    if (takeBand) {
        all.BandText = band;
        const BandEdges e = ParseBand(band);
        all.BandMinFreq = e.lower;
        all.BandMaxFreq = e.upper;
    }
    return true;
}

BandTextBinding BindBandText(TALL &all, const QString &bandText)
{
    const auto &entries = all.Bands->Entries();
    const bool known = std::any_of(entries.begin(), entries.end(), [&](const auto &e) { return e.text == bandText; });
    if (!known)
        return BandTextBinding::UnknownBand;
    return BindModel(all, all.Bands->CodeOf(bandText), true) ? BandTextBinding::Bound : BandTextBinding::NoModel;
}
