#pragma once
// The port step of the main window's first showing.

class QComboBox;
class TALL;

// Settles PortName at start-up against the ports present, using the main
// window's hidden port list cbCom. Filled in by the serial port code.
void SettlePortAtStartup(TALL &all, QComboBox &cbCom);
