#pragma once

#include "UpDown.h"

#include "overview/PKalendar.h"
#include "overview/Vyber.h"
#include "reports/RvSystem.h"

#include "toolkit/core/DateTime.h"
#include "toolkit/core/IniFile.h"
#include "toolkit/widgets/DBCheckBox.h"
#include "toolkit/widgets/DBEdit.h"
#include "toolkit/widgets/DBGrid.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QAction>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringList>
#include <QTabWidget>
#include <array>
#include <functional>
#include <memory>

// Small integer states kept on the controls themselves (a field's pick mark, the universal button's
// mode), as the dynamic property "Tag".
inline int tagOf(const QObject* object) {
    return object->property("Tag").toInt();
}
inline void setTag(QObject* object, int tag) {
    object->setProperty("Tag", tag);
}

// The main window. It is created locked: only the disabled period box, the password prompt and the
// picture are shown until the access password is given. The start sequence runs when the window first
// becomes active.
class TFoKL : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder`: the folder of the program, with or without a trailing separator; empty means the
    // folder of the running executable. The settings file is looked for in its parent when the folder's
    // own name has six characters.
    explicit TFoKL(const QString& programFolder = QString(), QWidget* parent = nullptr);
    ~TFoKL() override;

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormKeyDown(QKeyEvent* event);
    bool FormKeyPress(QWidget* receiver, QKeyEvent* event); // true when the key was swallowed
    void FormClose();
    void BtOKClick();
    bool EdHesloKeyPress(QKeyEvent* event); // true when the key was swallowed
    void N2RedukceClick();
    void N31ZalohaClick();
    void N32ObnovaClick();
    void N33InstalaceClick();
    void N3XClick();
    void N41NapovedaClick();
    void N4OaplikaciClick();

    // The start sequence: data version, parameters, the sibling database when asked for, the datasets.
    void OtevriData();
    // The selection and the reservation list (overview/Prehled.cpp).
    void ObnovVyber();
    void SestavSeznam();
    void SestavKalendar();
    void ZvyrazniDen();
    void NajdiCas();
    void NastavRezervaci();
    void RBVDenClick();
    void RBVTydenClick();
    void RBVMesicClick();
    void RBVRokClick();
    void RBVVseClick();
    void RBZVolnoClick();
    void RBZObsazenoClick();
    void RBZVseClick();
    void ChBVObjClick();
    void ChBVRCPClick();
    void ChBVKPrClick();
    void EdVDatumChange();
    void EdVDatumExit();
    bool EdVDatumKeyPress(QKeyEvent* event); // true when the key was swallowed
    // Sets the selected date without running its change handler.
    void NastavDatum(const QDate& datum);
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

    // The universal button and the preset buttons (overview/Tisk.cpp).
    void BbTiskNovyClick();
    void BbTiskOClick();
    void BbTiskKClick();
    void BbTiskPClick();
    // The report project beside the program, reading the list and the parameter row.
    std::unique_ptr<rv::RvProject> RvKalendo;

    // Founding a new working day (overview/NovyDen.cpp).
    void ZalozNovyDen();
    void GenerujIntervaly(tk::TDateTime Od, tk::TDateTime Do, int Interval);

    // Hooks. ukonciProgram ends the
    // program (by default it quits the application's event loop).
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
    QString VybranyKod; // a code picked in a list window, waiting for delivery
    int Tag = 0;        // 1 after a start in which a database could not be used

    // State shared with the reservation overview and editing.
    int DenTydne = 0;
    int NepracovniDen = 0;
    tk::TDateTime CilovyCas = 0;
    bool PotlacitObnovu = false;
    bool GenerovaniDne = false;
    int PosledniIDRes = 0;
    QString StalyPracovnik = QStringLiteral("00");
    int VybranyIDRes = 0;        // the slot double-clicked in the calendar, kept across the refresh
    bool NovyDenZalozen = false; // the current click of the universal button founded a day

    static const QStringList NazvyMesicu; // "leden" ... "prosinec"

    // Menu.
    QMenu *N1Ciselniky, *N2Rezervace, *N3Servis, *N4Napoveda;
    QAction *N11Pracoviste, *N12VolneDny, *N13Parametry, *N14Pacienti, *N15Pracov;
    QAction *N21BlokRes, *N2Redukce;
    QAction *N31Zaloha, *N32Obnova, *N33Instalace, *N3X;
    QAction *N41Napoveda, *N4Oaplikaci;

    // Selection box.
    QGroupBox* GBObdobi;
    QRadioButton *RBVDen, *RBVTyden, *RBVMesic, *RBVRok, *RBVVse;
    QLabel* LbZvyrazni;
    QDateEdit* EdVDatum;
    QLabel *LbMesic, *LbTyden, *LbDen;
    TUpDown *UpDwMesic, *UpDwTyden, *UpDwDen;
    QPushButton *BbOjednat, *BbTiskO, *BbTiskK, *BbTiskP;
    QCheckBox *ChBVObj, *ChBVRCP, *ChBVKPr;
    QLineEdit *EdVObj, *EdVRCP, *EdVKPr;
    QLabel *LbVNazObj, *LbVJmPac, *LbVJmPr;

    // Detail of the current reservation.
    QGroupBox* GBDetail;
    QLabel *LbKdy, *LbPomlcka, *LbDoba, *LbMin, *LbKde, *LbDNazObj, *LbKdo, *LbKym, *LbDJmPr;
    tk::DBEdit *EdDDatum, *EdDCasDo, *EdDDoba, *EdDObj, *EdDRCP, *EdDJmPac, *EdDKPr;
    TUpDown *UpDwHod, *UpDw10min, *UpDwMin, *UpDwDoba;
    tk::DBCheckBox* ChBDHotovo;

    // Under the detail.
    QLabel* LbBlok;
    tk::DBNavigator* Navigator;
    QPushButton* BbTiskNovy;
    QGroupBox* GBZobraz;
    QRadioButton *RBZVolno, *RBZObsazeno, *RBZVse;
    QTabWidget* PgCReserve;
    QWidget* TbSSeznam;
    tk::DBGrid* DBGridSeznam;
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
    void PripojVyber();
    void PripojNavigaci();
    void PripojTisk();
    void posunObdobi(int dny, bool up);
    void VlozZnacku(tk::TDateTime cas, const QString& kod, const QString& text);
    void vytvorMenu();
    void vytvorObdobi();
    void vytvorDetail();
    void vytvorSeznam();
    void vytvorZamceni();
    void vytvorStatusBar();
    void spustStart();
    void dorucVybranyKod();
    void odemkni();

    bool unlocked_ = false;
    bool activating_ = false;
    bool returningFromModal_ = false;
    bool closing_ = false;
};

// The main window of the running program.
extern TFoKL* FoKL;
