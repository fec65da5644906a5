#include "Udrzba.h"

#include "UdrzbaDat.h"

#include "app/FoKL.h"
#include "data/DmKL.h"
#include "overview/PanelSeznamu.h"
#include "overview/PanelVyberu.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);

// Long work on the window thread: the wait label stands in for the display group, the window repaints
// whenever the work lets events through, and the user's input waits for the work to end (a command
// started meanwhile would find the connections closed or the data half copied).
class Cekani : public QObject {
public:
    Cekani(TFoKL& okno, const QString& text, const QColor& barva, bool zakazVyber = false)
        : okno_(okno), zobrazBylVidet_(okno.PSeznam->GBZobraz->isVisible()),
          vyberBylPovolen_(okno.GBObdobi->isEnabled()), zakazVyber_(zakazVyber) {
        QLabel* lb = okno.LbZprava;
        QString radky = text;
        lb->setText(radky.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QPalette paleta = lb->palette();
        paleta.setColor(QPalette::Window, barva);
        lb->setPalette(paleta);
        lb->setAutoFillBackground(true);
        lb->adjustSize();
        if (zakazVyber_)
            okno.GBObdobi->setEnabled(false);
        okno.PSeznam->GBZobraz->hide();
        lb->show();
        lb->raise();
        qApp->installEventFilter(this);
        tk::waiter().processEvents();
    }
    ~Cekani() override { konec(); }
    Cekani(const Cekani&) = delete;
    Cekani& operator=(const Cekani&) = delete;

    // Hides the label and gives the window back as it was.
    void konec() {
        if (hotovo_)
            return;
        hotovo_ = true;
        qApp->removeEventFilter(this);
        okno_.LbZprava->hide();
        okno_.PSeznam->GBZobraz->setVisible(zobrazBylVidet_);
        if (zakazVyber_)
            okno_.GBObdobi->setEnabled(vyberBylPovolen_);
    }

    static void prubeh() { tk::waiter().processEvents(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A message box of the work itself (a refused parameter check) is answered as usual.
        if (QApplication::activeModalWidget() || !patriOknu(watched))
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        case QEvent::Close:
            // Ignored, so that the window is neither closed nor hidden.
            event->ignore();
            return true;
        default:
            return false;
        }
    }

    // The main window, its controls and its menus.
    bool patriOknu(QObject* watched) const {
        auto* w = qobject_cast<QWidget*>(watched);
        for (QWidget* top = w ? w->window() : nullptr; top;
             top = top->parentWidget() ? top->parentWidget()->window() : nullptr)
            if (top == &okno_)
                return true;
        return false;
    }

private:
    TFoKL& okno_;
    bool zobrazBylVidet_;
    bool vyberBylPovolen_;
    bool zakazVyber_;
    bool hotovo_ = false;
};

QString datumText(tk::TDateTime datum) {
    return tk::formatDateTime(QStringLiteral("d.m.yyyy"), datum);
}

} // namespace

void TUdrzba::ZalohaDat() {
    const QString navrh = NavrhZalohy(tk::clock().now());
    const QString slozka = okno_.SlozkaProgramu + QStringLiteral("Zaloha");
    // The dialog starts in the backup folder; a first backup finds it there.
    QDir().mkpath(slozka);
    const QString soubor =
        tk::dialogs().saveFile(QStringLiteral("Záloha dat"), QStringLiteral("Záloha dat *.bak|*.bak"), slozka,
                               navrh, QStringLiteral("bak"));
    if (soubor.isEmpty()) {
        tk::dialogs().message(QStringLiteral("Záloha dat NEbyla provedena!"));
        return;
    }
    {
        Cekani cekani(okno_, QStringLiteral("Probíhá záloha databáze"), kLime);
        ZalohujKL(dm_, QDir::toNativeSeparators(QFileInfo(soubor).absoluteFilePath()), &Cekani::prubeh);
        ZapisDatumZalohy(dm_, tk::clock().today());
        okno_.setStatusText(3, QStringLiteral("Poslední záloha provedena : ") +
                                   datumText(dm_.QParamPZaloha->asDateTime()));
        okno_.N31Zaloha->setChecked(true);
    }
    tk::dialogs().message(QStringLiteral("Záloha dat byla provedena."));
}

void TUdrzba::ObnovaDat() {
    const QString soubor = tk::dialogs().openFile(QStringLiteral("Obnova Dat"),
                                                  QStringLiteral("Obnova dat *.bak|*.bak|Všechny soubory|*"),
                                                  okno_.SlozkaProgramu + QStringLiteral("Zaloha"));
    if (soubor.isEmpty()) {
        tk::dialogs().message(QStringLiteral("Nebyl vybrán žádný soubor pro obnovu."));
        return;
    }
    // From here on every way out that is not a failed connection to the server disables the item.
    auto zakazObnovu = [this] { okno_.N32Obnova->setEnabled(false); };
    const QFileInfo info(soubor);
    if (!info.exists()) {
        tk::dialogs().message(QStringLiteral("Soubor nelze nalézt."));
        zakazObnovu();
        return;
    }
    const QString cesta = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!tk::dialogs().question(
            cesta + QStringLiteral("\r\nVytvořený ") +
                tk::formatDateTime(QStringLiteral("d.m.yyyy h:nn:ss"), tk::fromDateTime(info.lastModified())),
            true, QStringLiteral("Vybraný záložní soubor pro obnovu"))) {
        tk::dialogs().message(QStringLiteral("Obnova dat nebude provedena."));
        zakazObnovu();
        return;
    }
    if (!tk::dialogs().question(QStringLiteral("Bude provedeno kompletní přemazání dat!\r\n"
                                               "Ostatní uživatelé musí být od této databáze odpojeni!"),
                                true, QStringLiteral("Obnova dat ze zálohy"))) {
        tk::dialogs().message(QStringLiteral("Obnova dat se neprovedla."));
        zakazObnovu();
        return;
    }

    {
        Cekani cekani(okno_, QStringLiteral("Probíhá obnova databáze.\r\nČEKEJTE prosím! (cca 2 min)"),
                      kYellow, true);
        dm_.SpojeniKL->close();
        dm_.SpojeniKN->close();
        okno_.setStatusText(2, QStringLiteral("?"));
        okno_.setStatusText(3, QStringLiteral("?"));
        tk::waiter().processEvents();
        PripravSpojeniMaster(dm_, *okno_.IniSoubor);
        // Time for the server to let go of the connections just closed.
        tk::waiter().wait(90000);
        // A failure to connect unwinds from here to the general error report; the item stays enabled.
        dm_.SpojeniKL->open();
        if (dm_.SpojeniKL->isOpen()) {
            try {
                ObnovKL(dm_, okno_.SlozkaProgramu, cesta, &Cekani::prubeh);
                cekani.konec();
                tk::dialogs().message(QStringLiteral("Obnova dat byla provedena."));
            } catch (const std::exception&) {
                cekani.konec();
                tk::dialogs().message(QStringLiteral(" Obnova databáse Kalendo se nezdařila !"),
                                      tk::MessageIcon::Error);
            }
            dm_.SpojeniKL->close();
        }
    }
    tk::dialogs().message(QStringLiteral("Spusťte znovu program !"));
    zakazObnovu();
    // Takes effect once this command has returned.
    if (okno_.ukonciProgram)
        okno_.ukonciProgram();
    else
        QCoreApplication::quit();
}

void TUdrzba::N2RedukceClick() {
    // Re-reading the list would post or lose the reservation being written.
    if (dm_.QReserve->isEditing()) {
        tk::dialogs().message(QStringLiteral("Ukončete nejprve úpravu rezervace!"), tk::MessageIcon::Warning);
        tk::abort();
    }
    const QDate D = okno_.vyber().datum;
    const QString L = D.addDays(-1).toString(QStringLiteral("dd.MM.yyyy"));
    const QString titulek = QStringLiteral("Redukce datového souboru rezervací");
    if (!tk::dialogs().question(
            QStringLiteral("Budou zrušeny rezervace podle datumu zadaného ve výběru.\r\nTedy do ") + L +
                QStringLiteral(" včetně.") + QStringLiteral("\r\n\r\n") +
                QStringLiteral("(Máte provedenou ZÁLOHU dat ?)"),
            true, titulek))
        return;
    if (!tk::dialogs().question(
            QStringLiteral("Budou zrušeny rezervace do ") + L + QStringLiteral(" včetně."), true, titulek))
        return;
    if (!(tk::fromDate(D) < tk::clock().today() - 1)) {
        tk::dialogs().message(QStringLiteral("Nelze rušit ještě aktuální rezervace."),
                              tk::MessageIcon::Warning);
        tk::abort();
    }
    {
        Cekani cekani(okno_, QStringLiteral("Probíhá redukce dat"), kLime);
        SmazRezervacePred(dm_, D);
        UvolniMisto(dm_, &Cekani::prubeh);
        dm_.QReserve->requery();
    }
    tk::dialogs().message(QStringLiteral("Redukce dat byla provedena."));
}

void TUdrzba::N3XClick() {
    OpravVlastnika(dm_);
}
