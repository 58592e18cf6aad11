#include "app/StartupPort.h"
#include "image/AllClass.h"
#include "link/Ports.h"

#include <QComboBox>

void SettlePortAtStartup(TALL &all, QComboBox &cbCom)
{
    const QStringList present = ListSerialPorts(PresentSerialDevices());
    cbCom.clear();
    cbCom.addItems(present);
    SettlePort(all, present);
    cbCom.setCurrentText(all.PortName);
}
