#pragma once
// The radio-wide option windows: optional functions, side key and VOX.

#include "editors/OptionEditor.h"

// "Optional Function": squelch, time-out, voice, scan, FM, alarm, epilogue,
// battery save and three switches.
class TfOptFun : public OptionEditor
{
    Q_OBJECT
public:
    TfOptFun(EditorHost &host, QWidget *parent = nullptr);
    void AddPrintRows(PrintData &data) override;
};

// "Key Function": what the side key does.
class TfKeyFun : public OptionEditor
{
    Q_OBJECT
public:
    TfKeyFun(EditorHost &host, QWidget *parent = nullptr);
    void AddPrintRows(PrintData &data) override;
};

// "Vox Function": VOX on/off, gain level and inhibit on receive.
class TfVoxFun : public OptionEditor
{
    Q_OBJECT
public:
    TfVoxFun(EditorHost &host, QWidget *parent = nullptr);
    void LoadFromImage() override;
    void AddPrintRows(PrintData &data) override;

private:
    // The level and inhibit controls work only while VOX is on.
    void applyEnablingRule();
};
