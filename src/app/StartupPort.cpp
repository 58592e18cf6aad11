#include "app/StartupPort.h"
#include "image/AllClass.h"

#include <QComboBox>

// HOOK for the serial port code: list the present ports into cbCom, then
// take the first listed port when PortName is not among them. Until then
// only the stored name is normalised.
void SettlePortAtStartup(TALL &all, QComboBox &cbCom)
{
    all.PortName = all.PortName.toUpper();
    cbCom.setCurrentText(all.PortName);
}
