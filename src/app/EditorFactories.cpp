#include "app/EditorFactories.h"
#include "app/DataModule.h"
#include "app/EditorHost.h"
#include "editors/BInfoEdit.h"
#include "editors/ChInfo.h"
#include "editors/InfoMsg.h"
#include "editors/OptFun.h"
#include "editors/TestFrequency.h"
#include "link/SetPort.h"
#include "link/TransferDialogs.h"

// One case block per command tag; each window's developer fills in its own.
QWidget *CreateEditor(int tag, EditorHost &host, QWidget *parent)
{
    (void)host;
    (void)parent;
    switch (tag) {
    case 10: // Channel Information
        return new TfChInfo(host, parent);
    case 11: // Channel Edit
        return new TfBInfoEdit(host, parent);
    case 12: // Key Function
        return new TfKeyFun(host, parent);
    case 13: // Vox Function
        return new TfVoxFun(host, parent);
    case 14: // Optional Function
        return new TfOptFun(host, parent);
    case 15: // Radio Information
        return new TfInfoMsg(host, parent);
    case 16: // Pass Word
        return new TfPassWord(host, parent);
    default: return nullptr;
    }
}

bool RunModalCommand(int tag, EditorHost &host, QWidget *parent)
{
    (void)host;
    (void)parent;
    switch (tag) {
    case 17: { // Test Frequency
        TfTestFrequency dialog(host.Data(), host.Prompter(), parent);
        dialog.exec();
        return false;
    }
    case 18: { // Embedded Message
        TfEmbeddedMessage dialog(host.Data(), parent);
        dialog.exec();
        return false;
    }
    case 20: { // Read From Radio: true when a read finished
        TfReadRadio dialog(host.Data(), host.Prompter(), parent);
        dialog.exec();
        return dialog.Succeeded();
    }
    case 21: { // Write To Radio
        TfWriteRadio dialog(host.Data(), host.Prompter(), parent);
        dialog.exec();
        return false;
    }
    case 31: { // Communication Port
        TfSetPort dialog(host.Data().All, parent);
        dialog.exec();
        return false;
    }
    default: return false;
    }
}
