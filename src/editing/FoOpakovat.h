#pragma once

#include "data/Kurz.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <array>
#include <functional>

class TDmKL;

// A course of treatments from a booked row: how many further visits and how far apart, a preview of what
// each date would take, then the booking and what became of each date.
class TFoOpakovat : public QDialog {
    Q_OBJECT
public:
    TFoOpakovat(TDmKL& dm, const Kurz& kurz, QWidget* parent);

    // Set by the opener: prints the client's schedule (offered once the course is booked).
    std::function<void()> tiskKlienta;

    // Handlers.
    void ZmenaNastaveni(); // the count, the step or a weekday changed: the preview again
    void BbObjednatClick();
    void BbTiskKClick();

    QLabel* LbKurz;
    QSpinBox* EdPocet;
    QRadioButton *RBKazdyTyden, *RBKazdeDvaTydny, *RBDnyTydne;
    std::array<QCheckBox*, 7> ChBDen; // Monday … Sunday
    QTableWidget* SGTerminy;
    QLabel* LbVysledek;
    QPushButton *BbObjednat, *BbTiskK, *BbZavrit;

    QList<QDate> terminy() const;

Q_SIGNALS:
    // The course was booked (whatever became of each date): the lists may show other rows now.
    void kurzObjednan();

private:
    void ukaz(const QList<TerminKurzu>& terminy);

    TDmKL& dm_;
    Kurz kurz_;
};
