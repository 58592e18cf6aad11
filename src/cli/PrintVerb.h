#pragma once
// The tool's print verb: the printout of a data file as PDF, without a display.

#include <QStringList>

class DataModule;

int RunPrintVerb(const QStringList &args, DataModule &dm);
