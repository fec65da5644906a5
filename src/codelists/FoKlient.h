#pragma once

#include "toolkit/widgets/DBEdit.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

class TCiselniky;

// The client card "Klient": every detail of the clients list's current row, the birth-number check and
// the insurer's abbreviation. It moves with the list; closing it drops an unposted change.
class TFoKlient : public QWidget {
    Q_OBJECT
public:
    explicit TFoKlient(TCiselniky& ciselniky, QWidget* parent = nullptr);
    ~TFoKlient() override;

    tk::DBEdit *EdTitul, *EdPrijmeni, *EdJmeno, *EdUlice, *EdPSC, *EdMisto, *EdTelefon, *EdMail, *EdRC,
        *EdDatNar, *EdKodZP, *EdID;
    QPlainTextEdit* MemPoznamka;
    QFrame* PanelZP;
    QLabel* LbZkrZP;
    tk::DBNavigator* Navigator;

    // The abbreviation of an insurer's code, empty for an unknown one.
    static QString ZkratkaZP(const QString& kod);

    void FormCreate();
    void FormClose();
    bool FormKeyPress(QKeyEvent* event);
    void EdRCExit();
    void EdDatNarExit();
    bool EdDatNarKeyPress(QKeyEvent* event);
    void EdKodZPChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ukazPoznamku();
    void zapisPoznamku();
    TCiselniky& ciselniky_;
    bool ukazuji_ = false;
};
