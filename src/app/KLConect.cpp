#include "KLConect.h"

#include "app/FoCekat.h"
#include "data/DmKL.h"
#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Engine.h"
#include "toolkit/core/Errors.h"

#include <QDir>
#include <QWidget>

namespace {

const QString kSekce = QStringLiteral("Connect");

void ukazCekani(const QString& text, QWidget* hlavniOkno) {
    if (FoCekat)
        return;
    FoCekat = new TFoCekat();
    if (hlavniOkno)
        FoCekat->move(hlavniOkno->x() + 185, hlavniOkno->y() + 330);
    FoCekat->LbCekat->setText(text);
    FoCekat->show();
    tk::waiter().processEvents();
}

void zrusCekani() {
    delete FoCekat;
    FoCekat = nullptr;
    tk::waiter().processEvents();
}

// Steps shared by both connections; returns false after a failure has been reported.
bool pripoj(TDmKL& dm, tk::Connection& spojeni, const QString& katalog, bool jenCteni,
            const tk::IniFile& IniSoubor, QWidget* hlavniOkno, const QString& cekani, const QString& chyba) {
    ukazCekani(cekani, hlavniOkno);
    // Why it failed, where the usual message would leave the user without a way on.
    QString duvod;
    const auto selhalo = [&] {
        zrusCekani();
        spojeni.close();
        tk::dialogs().message(duvod.isEmpty() ? chyba : chyba + QStringLiteral("\r\n\r\n") + duvod,
                              tk::MessageIcon::Error);
        return false;
    };
    try {
        if (!spojeni.isOpen()) {
            if (&spojeni == dm.SpojeniKL)
                IdPc = IniSoubor.readString(kSekce, QStringLiteral("IdPc"), QStringLiteral("??")).left(10);
            const QString engine = KLEngine(IniSoubor);
            // The string stays set after a failure: the database creation derives its own from it.
            spojeni.setConnectionString(RetezecPripojeni(IniSoubor, katalog,
                                                         VychoziDataSource(engine, dm.SlozkaProgramu),
                                                         SlozkaRelativnichCest(engine, dm.SlozkaProgramu)));
            std::shared_ptr<tk::Engine> stroj = tk::makeEngine(engine);
            if (!stroj) {
                duvod = NeznamyStroj(IniSoubor);
                throw tk::DatabaseError(duvod);
            }
            spojeni.setEngine(std::move(stroj));
            spojeni.setReadOnly(jenCteni);
            spojeni.open();
        }
    } catch (const tk::NotADatabaseError& e) {
        duvod = e.message();
        if (&spojeni == dm.SpojeniKL)
            duvod += QStringLiteral("\r\n Soubor zůstal beze změny. Data obnovíte ze zálohy:\r\n"
                                    " 3 Servis -> 2 Obnova ze zálohy (zpřístupní Ctrl+F9).");
        return selhalo();
    } catch (...) {
        return selhalo();
    }
    zrusCekani();
    return true;
}

} // namespace

QString KLEngine(const tk::IniFile& IniSoubor) {
    return IniSoubor.readString(kSekce, QStringLiteral("Engine"), QStringLiteral("sqlite"))
        .trimmed()
        .toLower();
}

QString NeznamyStroj(const tk::IniFile& IniSoubor) {
    const QString engine = KLEngine(IniSoubor);
    if (tk::makeEngine(engine))
        return {};
    return QStringLiteral("Soubor %1, sekce [Connect], klíč Engine: neznámá hodnota \"%2\".\r\n"
                          "Známé hodnoty: %3.")
        .arg(QDir::toNativeSeparators(IniSoubor.fileName()), engine,
             tk::engineNames().join(QStringLiteral(", ")));
}

QString SlozkaRelativnichCest(const QString& engine, const QString& slozkaProgramu) {
    // SQL Server's Data Source is a server, not a folder.
    return engine == QLatin1String("mssql") ? QString() : slozkaProgramu;
}

QString VychoziDataSource(const QString& engine, const QString& slozkaProgramu) {
    if (engine == QLatin1String("mssql"))
        return QStringLiteral(".\\KINEMO");
    return slozkaProgramu + QStringLiteral("data");
}

QString RetezecPripojeni(const tk::IniFile& IniSoubor, const QString& katalog,
                         const QString& vychoziDataSource, const QString& slozkaRelativnichCest) {
    auto key = [&IniSoubor](const QString& name, const QString& def) {
        return IniSoubor.readString(kSekce, name, def);
    };
    QString s = QStringLiteral("Provider=SQLOLEDB.1;");
    s += QStringLiteral("Persist Security Info=") + key(QStringLiteral("PSI"), QStringLiteral("True")) + u';';
    s += key(QStringLiteral("IS"), QString()) + u';';
    s +=
        QStringLiteral("Work Station ID=") + key(QStringLiteral("WorkStationID"), QStringLiteral(".")) + u';';
    QString dataSource = key(QStringLiteral("DataSource"), vychoziDataSource);
    // The same station finds the same files wherever it was started from.
    if (!slozkaRelativnichCest.isEmpty() && QDir::isRelativePath(dataSource))
        dataSource = QDir::cleanPath(QDir(slozkaRelativnichCest).filePath(dataSource));
    s += QStringLiteral("Data Source =") + dataSource + u';';
    s += QStringLiteral("Initial Catalog=") + katalog + u';';
    s += QStringLiteral("User ID=") + key(QStringLiteral("User"), QStringLiteral("resv")) + u';';
    // Without a login of its own the built-in account's password applies.
    if (key(QStringLiteral("User"), QString()).isEmpty())
        s += QStringLiteral("Password=qvzt;");
    else
        s += QStringLiteral("Password=") + key(QStringLiteral("Psw"), QStringLiteral("kbRW58/36")) + u';';
    return s;
}

void PripojKN(TDmKL& dm, int& ChybyPripojeni, const tk::IniFile& IniSoubor, QWidget* hlavniOkno) {
    const QString databaze = QStringLiteral("Kinemo");
    const QString chyba =
        QStringLiteral(" Připojení k databási ") + databaze +
        QStringLiteral(" se nezdařilo !\r\n Byla již provedena instalace nové databáze ?\r\n"
                       " (Kinemo->Nabídka 5.Servis->4.Instalace->1.Nová databáze)");
    if (!pripoj(dm, *dm.SpojeniKN, databaze, true, IniSoubor, hlavniOkno,
                QStringLiteral("Čekejte prosím na KN"), chyba))
        ChybyPripojeni += 1;
}

void PripojKL(TDmKL& dm, int& ChybyPripojeni, const tk::IniFile& IniSoubor, QWidget* hlavniOkno) {
    const QString chyba =
        QStringLiteral(" Připojení k databási Kalendo se nezdařilo !\r\n Byla již provedena "
                       "instalace nové databáze ?\r\n (Kalendo->Nabídka 3.Servis->3.Instalace "
                       "databáze)");
    if (!pripoj(dm, *dm.SpojeniKL, QStringLiteral("Kalendo"), false, IniSoubor, hlavniOkno,
                QStringLiteral("Čekejte prosím na KL"), chyba))
        ChybyPripojeni += 10;
}
