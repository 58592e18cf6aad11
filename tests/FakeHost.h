#pragma once
// An EditorHost without a main window, for testing editor windows alone.

#include "CoreFixture.h"
#include "app/EditorHost.h"
#include "app/ScriptedPrompter.h"

#include <QList>
#include <QWidget>

struct FakeHost : EditorHost {
    explicit FakeHost(uint8_t band = 0xF4, const QString &appFolder = QString())
        : data(band, appFolder)
    {
    }
    BoundModule data;
    ScriptedPrompter prompter;
    QList<int> notified, selected;
    QList<QWidget *> destroyed;

    DataModule &Data() override { return data; }
    TPrompter &Prompter() override { return prompter; }
    void NotifyImageChanged(int mode) override { notified << mode; }
    void SelectChannelNode(int mode) override { selected << mode; }
    void EditorDestroyed(QWidget *editor) override { destroyed << editor; }
    QWidget *FindEditor(int) override { return nullptr; }
};
