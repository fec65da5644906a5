#pragma once

#include "codelists/Ciselniky.h"
#include "data/Vyber.h"

#include "toolkit/core/DateTime.h"
#include "toolkit/core/IniFile.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class TDmKL;
class TPanelVyberu;
class TPanelSeznamu;
class TPanelDetailu;
class TPKalendar;
namespace rv {
class RvProject;
}

// The main window. It composes its panels (the selection box, the reservation detail, the reservation
// list, the week calendar) and wires them to each other and to the data
// module, whose record rules report their changes of mode by signals. It is created locked: only the
// disabled selection box, the password prompt and the picture are shown until the access password is
// given. The start sequence runs when the window first becomes active.
class TFoKL : public QMainWindow {
    Q_OBJECT
public:
    // `dm`: the data module, owned by the caller and living longer than the window. `programFolder`: the
    // folder of the program, with or without a trailing separator; empty means the folder of the running
    // executable. The settings file is looked for in its parent when the folder's own name has six
    // characters.
    explicit TFoKL(TDmKL& dm, const QString& programFolder = QString(), QWidget* parent = nullptr);
    ~TFoKL() override;

    TDmKL& dm() const { return dm_; }

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormKeyDown(QKeyEvent* event);
    bool FormKeyPress(QWidget* receiver, QKeyEvent* event); // true when the key was swallowed
    void FormClose();
    void BtOKClick();
    bool EdHesloKeyPress(QKeyEvent* event); // true when the key was swallowed
    void N11PracovisteClick();
    void N12VolneDnyClick();
    void N13ParametryClick();
    void N14PacientiClick();
    void N15PracovClick();
    void N21BlokResClick();
    void N2RedukceClick();
    void N31ZalohaClick();
    void N32ObnovaClick();
    void N33InstalaceClick();
    void N3XClick();
    void N41NapovedaClick();
    void N4OaplikaciClick();

    // The start sequence: data version, parameters, the sibling database when asked for, the datasets.
    void OtevriData();
    // The refresh of the selection: the list, the week calendar, the date's frame, the navigator and the
    // universal button; the record rules are handed the selection it was built for.
    void ObnovVyber();
    void SestavSeznam();
    void SestavKalendar();
    // The writable selection preset: "Den", the workplace filter alone, "Vše".
    void NastavRezervaci();
    // A double click on the list: the writable selection of the clicked row's workplace and day, with
    // the row current.
    void DBGridSeznamDblClick();
    // "Opakovat" (and Ctrl+O): a course of further visits from the booked row of a writable selection.
    void BbOpakovatClick();

    // The opening routines of the list windows (Left, Top, Mode, Code); the code fields call them as
    // pickers. They open the code-list windows; a test may put a recorder in their place.
    std::function<void(int Left, int Top, int Mode, const QString&Code)> OtevriObjekty, OtevriKlienty,
        OtevriPracovniky;
    // The selection as the controls hold it now.
    Vyber vyber() const;

    // Moving through time and the week calendar's clicks (overview/Navigace.cpp).
    void UpDwDenClick(bool up);
    void UpDwTydenClick(bool up);
    void UpDwMesicClick(bool up);
    void NavigatorClick(tk::DBNavigator::Button button);
    void KalendarDenClick(const QDate& datum);
    void KalendarDenDblClick(const QDate& datum);
    void KalendarRadekClick(int idRes);
    void KalendarRadekDblClick(const QDate& datum, int den, int idRes);
    void KalendarTydenClick(int dny);

    // The preset buttons of the selection box (overview/Tisk.cpp).
    void BbTiskOClick();
    void BbTiskKClick();
    void BbTiskPClick();
    // The report project beside the program, reading the list and the parameter row; the universal
    // button prints through it.
    std::unique_ptr<rv::RvProject> RvKalendo;

    // Hooks. ukonciProgram ends the program (by default it quits the application's event loop).
    std::function<void()> ukonciProgram;

    bool isUnlocked() const { return unlocked_; }
    QString statusText(int panel) const; // panel 0..3
    void setStatusText(int panel, const QString& text);

    // Variables of the main window's unit, living for the whole run.
    QString SlozkaProgramu; // the program's folder with a trailing separator
    QString SlozkaKN;       // SlozkaProgramu less its last 7 characters: the settings file's folder
    std::unique_ptr<tk::IniFile> IniSoubor;
    bool StartNeprobehl = true;
    int ChybyPripojeni = 0;
    bool VerzeOK = false;
    TVyberKodu VyberKodu;                       // shared with the list windows
    QString& VybranyKod = VyberKodu.VybranyKod; // a code picked in a list window, waiting for delivery
    std::unique_ptr<TCiselniky> Ciselniky;      // the code-list windows and their opening routines
    int Tag = 0;                                // 1 after a start in which a database could not be used

    // State shared with the reservation overview and editing.
    int DenTydne = 0;
    tk::TDateTime CilovyCas = 0;
    bool PotlacitObnovu = false;
    int VybranyIDRes = 0; // the slot double-clicked in the calendar, kept across the refresh

    static const QStringList NazvyMesicu; // "leden" ... "prosinec"

    // Menu.
    QMenu *N1Ciselniky, *N2Rezervace, *N3Servis, *N4Napoveda;
    QAction *N11Pracoviste, *N12VolneDny, *N13Parametry, *N14Pacienti, *N15Pracov;
    QAction *N21BlokRes, *N2Redukce;
    QAction *N31Zaloha, *N32Obnova, *N33Instalace, *N3X;
    QAction *N41Napoveda, *N4Oaplikaci;

    // Panels.
    TPanelVyberu* GBObdobi;
    TPanelDetailu* GBDetail;
    TPanelSeznamu* PSeznam;
    TPKalendar* PKalendar;

    // Locked window.
    QLabel* LbHeslo;
    QLineEdit* EdHeslo;
    QPushButton* BtOK;
    QLabel* ImgUvod;
    QLabel* LbZprava;

    QStatusBar* StatusBar;
    std::array<QLabel*, 4> StatusPanels{};

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PripojCiselniky();
    void vytvorMenu();
    void vytvorZamceni();
    void vytvorStatusBar();
    void pripojPanely();
    void PripojNavigaci();
    void PripojTisk();
    void posunObdobi(int dny, bool up);
    void spustStart();
    void dorucVybranyKod();
    void odemkni();

    TDmKL& dm_;
    bool unlocked_ = false;
    bool activating_ = false;
    bool returningFromModal_ = false;
    bool closing_ = false;
};

// The main window of the running program.
extern TFoKL* FoKL;
