#pragma once

// Steps shared by the tests of the calendar, the navigation and the universal button: founding a day and
// booking a slot as a user does.

#include "PrehledProgram.h"

#include "overview/PKalendar.h"

namespace kltest {

// Working day 8:00-9:00 without a pause: a workplace of 30-minute slots gets two of them.
inline void kratkyDen(TDmKL& dm) {
    execKL(dm, QStringLiteral(
                   "update ParamP set PrOdH=8,PrOdM=0,PrDoH=9,PrDoM=0,PPOdH=0,PPOdM=0,PPDoH=0,PPDoM=0"));
}

// Founds the workplace's day through the universal button, confirming a non-working day.
inline bool zaloz(Prehled& t, const QDate& d, const QString& obj = QStringLiteral("00001"),
                  const QString& nazev = QStringLiteral("Vana")) {
    t.pracovisteDen(obj, d, nazev);
    if (t.w().PSeznam->BbTiskNovy->text() != QStringLiteral("Nový D"))
        return false;
    if (t.w().GBObdobi->NepracovniDen > 0)
        static_cast<tktest::TestDialogs&>(tk::dialogs()).answerNext(true);
    QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
    return t.w().PSeznam->BbTiskNovy->text() == QStringLiteral("Tisk O");
}

// Moves the list to its row at h:m; with `volny` only to a free slot.
inline bool naCas(int h, int m, bool volny = false) {
    tk::Dataset& q = *DmKL->QReserve;
    const QString cas =
        QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
    for (int r = 1; r <= q.recordCount(); ++r) {
        q.setRecNo(r);
        if (DmKL->QReserveVDatCasOd->displayText() == cas &&
            !DmKL->QReserveJmenoPac->asString().startsWith(QLatin1String("==")) &&
            (!volny || DmKL->QReserveJmenoPac->asString().trimmed().isEmpty()))
            return true;
    }
    return false;
}

// Books the free slot at h:m of the list through the navigator's Edit and Post.
inline bool obsad(Prehled& t, int h, int m, const QString& jmeno,
                  const QString& rc = QStringLiteral("8501011234"), const QString& kpr = QString()) {
    if (!naCas(h, m, true))
        return false;
    QTest::mouseClick(t.w().PSeznam->Navigator->button(tk::DBNavigator::Edit), Qt::LeftButton);
    if (!DmKL->QReserve->isEditing())
        return false;
    DmKL->QReserveRCPacienta->setAsString(rc);
    DmKL->QReserveJmenoPac->setAsString(jmeno);
    if (!kpr.isEmpty())
        DmKL->QReserveKodPrac->setAsString(kpr);
    QTest::mouseClick(t.w().PSeznam->Navigator->button(tk::DBNavigator::Post), Qt::LeftButton);
    return !DmKL->QReserve->isEditing();
}

} // namespace kltest
