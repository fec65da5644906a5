#include "app/FoKL.h"
#include "codelists/FoNapovedaP.h"
#include "data/DmKL.h"

#include "toolkit/core/Dialogs.h"
#include "toolkit/widgets/WidgetDialogs.h"

#include <memory>

int main(int argc, char** argv) {
    tk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kalendo"));
    tk::setDialogs(std::make_unique<tk::WidgetDialogs>());

    // The data module first, then the main window, then the help window (hidden). The data module is
    // owned here and outlives every window; the main window's closing frees the help and code-list
    // windows and ends the loop.
    auto dm = std::make_unique<TDmKL>();
    DmKL = dm.get();
    {
        auto okno = std::make_unique<TFoKL>(*dm);
        FoNapovedaP = new TFoNapovedaP();
        okno->show();
        // The start sequence runs when the window becomes active; ask for it rather than wait for the
        // window manager to give it.
        okno->activateWindow();
        const int result = app.exec();
        okno.reset();
        delete FoNapovedaP;
        DmKL = nullptr;
        return result;
    }
}
