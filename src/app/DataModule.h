#pragma once
// The four objects the program lives on, created and filled in start-up order.

#include "i18n/Language.h"
#include "image/AllClass.h"
#include "models/MacType.h"

// Band list, catalogue, working state and message texts, one each for the
// whole run. The GUI holds one; the command-line tool and tests make their own.
class DataModule
{
public:
    // appFolder ends with a path delimiter; settings and texts come from there.
    explicit DataModule(const QString &appFolder);

    TFrqList Bands;
    TMacList Models;
    TALL All;
    TLanguage Texts;

    // Reads the settings and loads the texts of the chosen language.
    void LoadSettingsAndTexts();
    // The start-up binding: the UHF model with its default band and its edges.
    void BindStartModel();
};
