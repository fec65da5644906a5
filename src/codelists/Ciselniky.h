#pragma once

#include "VyberKodu.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class TFoObjekt;
class TFoSeznamP;
class TFoPracovP;
class TFoKlient;
class TFoSvatek;
class TFoParamP;
class TFoBlokRes;

// The code-list windows of the program: each is created by its opening routine when it does not exist,
// destroyed when the user closes it, and placed relative to the main window given here. The three list
// openers also serve as pickers: the pick comes back through the shared picker state.
class TCiselniky {
public:
    TCiselniky(QWidget& hlavni, TVyberKodu& vyber);
    ~TCiselniky(); // destroys the windows that exist
    TCiselniky(const TCiselniky&) = delete;
    TCiselniky& operator=(const TCiselniky&) = delete;

    TVyberKodu& vyber() { return vyber_; }
    // The main window's position, which the windows' offsets count from.
    int Left() const { return hlavni_.x(); }
    int Top() const { return hlavni_.y(); }
    // The date selected in the main window (the holidays' import year); today when not set.
    std::function<QDate()> vybraneDatum;

    // Mode 0 editor, 1 picker; Code the caller's current code, positioned on and kept as the pick.
    void OtevriObjekty(int Left, int Top, int Mode, const QString& Code);
    void OtevriKlienty(int Left, int Top, int Mode, const QString& Code);
    void OtevriPracovniky(int Left, int Top, int Mode, const QString& Code);
    void OtevriKlienta(int Left, int Top);
    void OtevriSvatky(int Left, int Top);
    void OtevriParametry(int Left, int Top);
    void OtevriBlokRes(int Left, int Top);

    QPointer<TFoObjekt> FoObjekt;
    QPointer<TFoSeznamP> FoSeznamP;
    QPointer<TFoPracovP> FoPracovP;
    QPointer<TFoKlient> FoKlient;
    QPointer<TFoSvatek> FoSvatek;
    QPointer<TFoParamP> FoParamP;
    QPointer<TFoBlokRes> FoBlokRes;

private:
    QWidget& hlavni_;
    TVyberKodu& vyber_;
};

// Makes a window visible and gives it the focus.
void ukazOkno(QWidget* okno);
