#pragma once

#include "toolkit/widgets/DBGrid.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QWidget>
#include <utility>

class TCiselniky;

// What differs between the list windows that share TFoSeznam.
struct SeznamPopis {
    const char* jmeno;      // object name: "FoObjekt"
    QString titulek;        // caption
    tk::DataSource* zdroj;  // the list's data source
    QString kodPole;        // the column whose title sorts by code, and the code positioned on
    QString nazevPole;      // the column whose title sorts by name
    QString hledatKod;      // what the search box looks in, by code
    QString hledatNazev;    // ... by name
    QString lbKod, lbNazev; // LbCo after a title click
    QString lbVychozi;      // LbCo after an opening routine
    int rezimVychozi = 0;   // search mode after an opening routine (0 code, 1 name)
    bool prazdnyNehledat;   // a blank search text searches nothing
    bool escVzdy;           // Esc in a picker leaves also while the grid edits
    bool prepinaMrizku;     // the navigator switches the grid between browse and edit mode
    QStringList napovedy;   // navigator hints, all ten
};

// A list window: a search box, a grid over one dataset with title-click sorting, a record navigator,
// and the picker side of choosing a code for a field that asked for one. The window mode (Tag) is
// 0 editor, 1 picker; the search mode (FoGrid's "Tag") 0 by code, 1 by name.
class TFoSeznam : public QWidget {
    Q_OBJECT
public:
    TFoSeznam(TCiselniky& ciselniky, SeznamPopis popis, QWidget* parent = nullptr);
    ~TFoSeznam() override;

    int Tag = 0;

    QLabel* LbHledat;
    QLineEdit* EdHledat;
    QLabel* LbCo;
    tk::DBGrid* FoGrid;
    tk::DBNavigator* Navigator;
    QStatusBar* StatusBar = nullptr;

    int rezimHledani() const;
    // LbCo and the search mode as an opening routine sets them.
    void nastavVychoziHledani();
    tk::Dataset* dataset() const;
    // A status bar panel, or nullptr.
    QLabel* panel(int index) const;

    // Handlers.
    virtual void FormClose();
    bool FormKeyDown(QKeyEvent* event); // true when the key was consumed
    void EdHledatChange();
    void EdHledatEnter();
    void EdHledatExit();
    bool EdHledatKeyPress(QKeyEvent* event);
    void FoGridTitleClick(int column);
    virtual void FoGridDblClick();
    virtual bool FoGridKeyDown(QKeyEvent* event);
    virtual void NavigatorClick(tk::DBNavigator::Button button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The list's own order: 0 by code, 1 by name.
    virtual void serad(int poradi) = 0;
    // The code a pick hands back.
    virtual QString kodRadku() const;
    // After a pick: hidden by default.
    virtual void poVyberu(bool dvojklik);
    // A double click or Enter that is not a pick.
    virtual void mimoVyber(bool dvojklik);
    // Keys of one window beyond the shared ones; true when consumed.
    virtual bool dalsiKlavesa(QKeyEvent* event);
    void vyber(bool dvojklik);
    bool muzeVybrat() const;
    // Shows a status panel of its own (the first panel " F1").
    void pridejStatusBar(const QStringList& panely);

    TCiselniky& ciselniky_;
    SeznamPopis popis_;
    QList<QLabel*> panely_;
};
