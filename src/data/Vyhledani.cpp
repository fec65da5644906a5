// Named look-ups for the windows. Each runs its own short query with the values bound, so that a typed
// text can never alter a statement, and leaves every shared dataset and its cursor alone.

#include "DmKL.h"

#include "Kontroly.h"

using tk::Bound;
using tk::FieldType;

namespace {

bool jenCislice(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString jmeno(const QVariantList& row) {
    return row.value(0).toString().trimmed();
}

// The day as the half-open range [den, den + 1): the same test on every engine, and one that can use an
// index on the column.
QList<Bound> rozsahDnu(const QDate& od, const QDate& doDne) {
    return {Bound{tk::fromDate(od), FieldType::DateTime}, Bound{tk::fromDate(doDne), FieldType::DateTime}};
}

} // namespace

std::optional<QString> TDmKL::SvatekDne(const QDate& den) const {
    const auto rows = SpojeniKL->select(QStringLiteral("select Nazev from Svatek where Datum>=? and Datum<?"),
                                        rozsahDnu(den, den.addDays(1)), {FieldType::String}, 1);
    if (rows.isEmpty())
        return std::nullopt;
    return jmeno(rows.front());
}

bool TDmKL::SvatkyRoku(int rok) const {
    return !SpojeniKL
                ->select(QStringLiteral("select Datum from Svatek where Datum>=? and Datum<?"),
                         rozsahDnu(QDate(rok, 1, 1), QDate(rok + 1, 1, 1)), {FieldType::DateTime}, 1)
                .isEmpty();
}

std::optional<Pracoviste> TDmKL::NajdiPracoviste(const QString& kod) const {
    const auto rows = SpojeniKL->select(
        QStringLiteral("select Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv from Objekt where Kod=?"),
        {Bound{kod, FieldType::String}},
        {FieldType::String, FieldType::String, FieldType::Integer, FieldType::String, FieldType::Boolean,
         FieldType::Boolean, FieldType::Boolean, FieldType::Boolean, FieldType::Boolean},
        1);
    if (rows.isEmpty())
        return std::nullopt;
    const QVariantList& r = rows.front();
    Pracoviste p;
    p.kod = r.value(0).toString();
    p.nazev = r.value(1).toString().trimmed();
    p.interval = r.value(2).toInt();
    p.kpr = r.value(3).toString();
    p.gpp = r.value(4).toBool();
    p.gin = r.value(5).toBool();
    p.so = r.value(6).toBool();
    p.ne = r.value(7).toBool();
    p.sv = r.value(8).toBool();
    return p;
}

std::optional<QString> TDmKL::JmenoPracovnika(const QString& kod) const {
    // Where the worker dataset lives: the own database, or Kinemo when the parameters ask for it.
    tk::Connection* spojeni = QPracov->connection();
    const auto rows = spojeni->select(QStringLiteral("select Titul,Prijmeni,Jmeno from Pracov where Kod=?"),
                                      {Bound{kod, FieldType::String}},
                                      {FieldType::String, FieldType::String, FieldType::String}, 1);
    if (rows.isEmpty())
        return std::nullopt;
    const QVariantList& r = rows.front();
    const QString titul = r.value(0).toString().trimmed();
    const QString cele = titul.isEmpty() ? r.value(1).toString() + QLatin1Char(' ') + r.value(2).toString()
                                         : r.value(0).toString() + QLatin1Char(' ') + r.value(1).toString() +
                                               QLatin1Char(' ') + r.value(2).toString();
    return cele.left(30);
}

std::optional<QString> TDmKL::JmenoKlienta(const QString& text) const {
    tk::Connection* spojeni = QPacienti->connection();
    const bool zKinema = spojeni == SpojeniKN;
    const QString t = text.trimmed();
    // An emptied field names nobody, even where clients without a birth number are kept.
    if (t.isEmpty())
        return std::nullopt;
    const QList<FieldType> sloupce{FieldType::String, FieldType::String, FieldType::String};
    QList<QVariantList> rows;
    if (!zKinema && t.size() >= 1 && t.size() <= 8) {
        // An identifier: digits only; any other text names nobody.
        if (!jenCislice(t))
            return std::nullopt;
        rows = spojeni->select(QStringLiteral("select Titul,Prijmeni,Jmeno from Pacienti where IDPacienta=?"),
                               {Bound{t.toLongLong(), FieldType::Integer}}, sloupce, 1);
    } else {
        rows = spojeni->select(QStringLiteral("select Titul,Prijmeni,Jmeno from Pacienti where RC=?"),
                               {Bound{BezMezer(text), FieldType::String}}, sloupce, 1);
    }
    if (rows.isEmpty())
        return std::nullopt;
    const QVariantList& r = rows.front();
    return (r.value(1).toString() + QLatin1Char(' ') + r.value(2).toString() + QLatin1Char(' ') +
            r.value(0).toString().trimmed())
        .left(30);
}

void TDmKL::SestavSeznam(const Vyber& vyber, int rezim, tk::TDateTime now) {
    tk::Dataset& q = *QReserve;
    q.close();
    q.clearSql();
    for (const QString& line : sestavSeznamSql(vyber, rezim, SpojeniKL->dialect(), now))
        q.addSql(line);
    q.open();
}
