#pragma once
// The tool's radio verbs: ports, read, write.

#include <QString>
#include <QStringList>

class DataModule;

// Runs a radio verb; -1 when the verb is none of them.
int RunRadioVerb(const QString &verb, const QStringList &args, DataModule &dm);
