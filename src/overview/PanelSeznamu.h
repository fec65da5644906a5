#pragma once

#include "data/Vyber.h"

#include "toolkit/widgets/DBGrid.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <functional>

class TDmKL;

// The reservation list with what drives it: the record navigator, the universal button, the lock mark,
// the display box "Zobrazit" and the list grid on its tab. It is the one place that knows the navigator's
// layouts and hints.
class TPanelSeznamu : public QWidget {
    Q_OBJECT
public:
    TPanelSeznamu(TDmKL& dm, QWidget* parent);

    // Set by the main window: its refresh; the selected day's kind (0 a working day of the workplace);
    // what follows a founded day (the list moves to the target time).
    std::function<void()> obnovVyber;
    std::function<int()> nepracovniDen;
    std::function<void()> poZalozeniDne;
    // Prints a report of the project beside the program over the list, by its name.
    std::function<void(const QString& sestava)> tiskniSestavu;

    // Handlers.
    void RBZVolnoClick();
    void RBZObsazenoClick();
    void RBZVseClick();
    // The universal button: prints the list of a workplace's or a worker's day, or a client's bookings,
    // or founds the day in mode "Nový D"; then the refresh.
    void BbTiskNovyClick();

    // The display mode of the display box.
    Zobrazeni zobrazeni() const;
    // Rebuilds the list for the selection in the universal button's current mode.
    void SestavSeznam(const Vyber& vyber);
    // Sets the universal button's mode, caption and hint; the client mode also turns the display box into
    // "Vše"/"Aktuální".
    void NastavRezimTlacitka(int rezim);
    int rezimTlacitka() const;
    // Moves the list to the row that starts at `cas`, past a marker row.
    void NajdiCas(tk::TDateTime cas);
    // Founds the working day of the selection (the universal button's "Nový D").
    void ZalozNovyDen();

    // The navigator's layouts: before the first refresh, for a selection that can be written, for one
    // that cannot, and while a row is written.
    void NavigatorStart();
    void NavigatorProhlizeni();
    void NavigatorJenCteni();
    void NavigatorUprava();
    static const QStringList& napovedyNavigatoru();

    // The lock of the workplace-day taken or released: the list and the display box wait meanwhile.
    void denZamcen();
    void denOdemcen();

    QLabel* LbBlok;
    tk::DBNavigator* Navigator;
    QPushButton* BbTiskNovy;
    QPushButton* BbOpakovat; // a course of visits from the booked row; the main window handles it
    QGroupBox* GBZobraz;
    QRadioButton *RBZVolno, *RBZObsazeno, *RBZVse;
    QTabWidget* PgCReserve;
    QWidget* TbSSeznam;
    tk::DBGrid* DBGridSeznam;

private:
    void vytvor();
    void obnov();

    TDmKL& dm_;
};
