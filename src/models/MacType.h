#pragma once
// Model catalogue, band list and model binding.

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TALL;

// One radio model: code, name, channel count, frequency range and bands.
class TMacType
{
public:
    TMacType(const QString &code, int channelCount, const QString &name)
        : Code(code)
        , Name(name)
        , ChannelCount(channelCount)
    {
    }

    void SetRange(double upper, double lower)
    {
        MaxFreq = upper;
        MinFreq = lower;
    }
    void AddBand(const QString &text) { Bands.append(text); }
    void SetDefaultBand(const QString &text) { DefaultBand = text; }

    QString Code;
    QString Name;
    int ChannelCount;
    double MaxFreq = 0;
    double MinFreq = 0;
    QStringList Bands;
    QString DefaultBand;
};

// The catalogue: models in the order added, looked up first match first.
class TMacList
{
public:
    void Add(std::unique_ptr<TMacType> model) { m_models.push_back(std::move(model)); }
    const TMacType *Item(int index) const;
    const TMacType *FindByName(const QString &text) const;
    const TMacType *FindByCode(const QString &text) const;
    const TMacType *FindByBand(const QString &text) const;
    void FillNames(QStringList &list) const;
    int Count() const { return int(m_models.size()); }

private:
    std::vector<std::unique_ptr<TMacType>> m_models;
};

// The band list: every band text with the one-byte code the radio stores.
class TFrqList
{
public:
    struct Entry {
        QString text;
        uint8_t code;
    };

    void Add(const QString &text, uint8_t code) { m_entries.push_back({ text, code }); }
    uint8_t CodeOf(const QString &text) const;
    QString TextOf(uint8_t code) const;
    const std::vector<Entry> &Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

struct BandEdges {
    double lower = 0;
    double upper = 0;
};
BandEdges ParseBand(const QString &bandText);

void BuildBandList(TFrqList &bands);
void BuildCatalogue(TALL &all, TMacList &models);

// Binds the model that owns the band of the code. Returns false and keeps the
// current binding when no model holds that band (code 0xFD), so the working
// state never stays without a model.
bool BindModel(TALL &all, uint8_t bandCode, bool takeBand);

// Binds the model that owns a band given by its text, as a user types it.
enum class BandTextBinding { Bound, UnknownBand, NoModel };
BandTextBinding BindBandText(TALL &all, const QString &bandText);
