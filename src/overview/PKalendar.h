#pragma once

// The week calendar of a workplace: the right half of the main window.

#include "toolkit/widgets/DBGrid.h"

#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

class TDmKL;

// Seven columns, Monday to Sunday, each with a header (day name and day of the month), a strip that is
// green while the day has a free slot (or no slots) and red when it is fully booked, and a grid of the
// day's slots with the occupied ones marked. The panel shows; what a click means for the selection is the
// main window's, told by the signals.
class TPKalendar : public QFrame {
    Q_OBJECT
public:
    explicit TPKalendar(TDmKL& dm, QWidget* parent = nullptr);

    // Rebuilds the week holding `datum` for the workplace `objekt` (its code as the selection holds it)
    // named `nazev`; `denTydne` is the date's weekday, 1 = Monday.
    void SestavKalendar(const QDate& datum, int denTydne, const QString& objekt, const QString& nazev);

    // The handlers of the headers and grids, Monday to Sunday.
    void EdPoClick();
    void EdUtClick();
    void EdStClick();
    void EdCtClick();
    void EdPaClick();
    void EdSoClick();
    void EdNeClick();
    void EdPoDblClick();
    void EdUtDblClick();
    void EdStDblClick();
    void EdCtDblClick();
    void EdPaDblClick();
    void EdSoDblClick();
    void EdNeDblClick();
    void GrPoCellClick();
    void GrUtCellClick();
    void GrStCellClick();
    void GrCtCellClick();
    void GrPaCellClick();
    void GrSoCellClick();
    void GrNeCellClick();
    void GrPoDblClick();
    void GrUtDblClick();
    void GrStDblClick();
    void GrCtDblClick();
    void GrPaDblClick();
    void GrSoDblClick();
    void GrNeDblClick();
    void BbTPoClick();
    void BbTPredClick();

    // The dates of the week shown, Monday to Sunday.
    QDate DatumPo, DatumUt, DatumSt, DatumCt, DatumPa, DatumSo, DatumNe;
    std::array<QDate, 7> datumy() const {
        return {DatumPo, DatumUt, DatumSt, DatumCt, DatumPa, DatumSo, DatumNe};
    }

    QFrame* PMesic;
    QLabel *LbKalendar, *LbPracoviste, *LbTydRok;
    QLineEdit *EdPracoviste, *EdTyden, *EdMesic, *EdRok;
    QPushButton *BbTPred, *BbTPo;
    QLineEdit *EdPo, *EdUt, *EdSt, *EdCt, *EdPa, *EdSo, *EdNe;
    QFrame *PPo, *PUt, *PSt, *PCt, *PPa, *PSo, *PNe;
    tk::DBGrid *GrPo, *GrUt, *GrSt, *GrCt, *GrPa, *GrSo, *GrNe;

    std::array<QLineEdit*, 7> hlavicky() const { return {EdPo, EdUt, EdSt, EdCt, EdPa, EdSo, EdNe}; }
    std::array<QFrame*, 7> pasy() const { return {PPo, PUt, PSt, PCt, PPa, PSo, PNe}; }
    std::array<tk::DBGrid*, 7> mrizky() const { return {GrPo, GrUt, GrSt, GrCt, GrPa, GrSo, GrNe}; }

Q_SIGNALS:
    // A header was clicked or double-clicked: the day's date.
    void denVybran(const QDate& datum);
    void denKRezervaci(const QDate& datum);
    // A slot was clicked or double-clicked: its row's IDRes, and for the double click the day's date and
    // weekday (0 = Monday).
    void radekVybran(int idRes);
    void radekKRezervaci(const QDate& datum, int den, int idRes);
    // The week buttons: the number of days to step the selected date by.
    void tydenPosun(int dny);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void klikHlavicky(int den);
    void dvojklikHlavicky(int den);
    void klikMrizky(int den);
    void dvojklikMrizky(int den);
    int idResRadku(int den) const;

    TDmKL& dm_;
};
