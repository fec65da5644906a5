#include "app/FoKL.h"
#include "codelists/FoNapovedaP.h"
#include "data/DmKL.h"

#include "toolkit/core/Dialogs.h"
#include "toolkit/widgets/WidgetDialogs.h"

int main(int argc, char** argv) {
    tk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kalendo"));
    tk::setDialogs(std::make_unique<tk::WidgetDialogs>());

    // The data module first, then the main window, then the help window (hidden); the main window's
    // closing frees the data module and the other windows.
    DmKL = new TDmKL();
    FoKL = new TFoKL();
    FoNapovedaP = new TFoNapovedaP();
    FoKL->show();
    // The start sequence runs when the window becomes active; ask for it rather than wait for the window
    // manager to give it.
    FoKL->activateWindow();
    const int result = app.exec();
    delete FoKL;
    delete FoNapovedaP;
    delete DmKL;
    return result;
}
