#pragma once

#include <QString>

// What the pickers share with the main window: the code picked in a list window, waiting for the main
// window to deliver it to the field that asked. Empty means that nothing was picked. The main window owns
// the one instance and hands it to the list windows.
struct TVyberKodu {
    QString VybranyKod;
};
