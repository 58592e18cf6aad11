#include "app/DataModule.h"
#include "i18n/Settings.h"

DataModule::DataModule(const QString &appFolder)
    : All(Models, Bands)
{
    All.AppFolder = appFolder;
    BuildBandList(Bands);
    BuildCatalogue(All, Models);
}

void DataModule::LoadSettingsAndTexts()
{
    LoadSettings(All);
    Texts.LoadTexts(All.AppFolder, All.LanguageName);
}

void DataModule::BindStartModel()
{
    BindModel(All, 0, false);
    const BandEdges e = ParseBand(All.BandText);
    All.BandMinFreq = e.lower;
    All.BandMaxFreq = e.upper;
}
