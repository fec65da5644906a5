#pragma once

#include "FoSeznam.h"

// The clients list "Seznam klientů"; its grid only browses, the client card edits. Clients from the
// Kinemo database are only browsed.
class TFoSeznamP : public TFoSeznam {
    Q_OBJECT
public:
    explicit TFoSeznamP(TCiselniky& ciselniky, QWidget* parent = nullptr);
    void FormCreate();
    void NavigatorClick(tk::DBNavigator::Button button) override;

protected:
    void serad(int poradi) override;
    QString kodRadku() const override;
    void poVyberu(bool dvojklik) override;
    void mimoVyber(bool dvojklik) override;
    bool dalsiKlavesa(QKeyEvent* event) override;

private:
    void otevriKartu();
};
