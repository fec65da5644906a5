#include "RvProjekt.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace rv {

namespace {

struct Chyba {
    int radek;
    QString text;
};

// The depth of braces after the character `c`.
int hloubkaZavorek(QChar c, int hloubka) {
    if (c == QLatin1Char('{'))
        return hloubka + 1;
    if (c == QLatin1Char('}'))
        return hloubka - 1;
    return hloubka;
}

// Splits at the separator where it stands outside braces: "{Pole|výchozí}" keeps its own.
QStringList rozdel(const QString& text, QChar oddelovac) {
    QStringList out{QString()};
    int hloubka = 0;
    for (QChar c : text) {
        hloubka = hloubkaZavorek(c, hloubka);
        if (c == oddelovac && hloubka == 0)
            out << QString();
        else
            out.last() += c;
    }
    return out;
}

double cislo(const QString& text, int radek, const char* co) {
    bool ok = false;
    const double v = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || v < 0)
        throw Chyba{radek, QStringLiteral("%1 „%2“ není nezáporné číslo").arg(QString::fromUtf8(co), text)};
    return v;
}

Qt::Alignment zarovnani(const QString& text, int radek) {
    const QString t = text.toLower();
    if (t.isEmpty() || t == QLatin1String("left") || t == QLatin1String("vlevo"))
        return Qt::AlignLeft;
    if (t == QLatin1String("right") || t == QLatin1String("vpravo"))
        return Qt::AlignRight;
    if (t == QLatin1String("center") || t == QStringLiteral("střed"))
        return Qt::AlignHCenter;
    throw Chyba{radek, QStringLiteral("neznámé zarovnání „%1“ (left, center, right)").arg(text)};
}

void kontrolaZavorek(const QString& text, int radek) {
    int hloubka = 0;
    for (QChar c : text) {
        hloubka = hloubkaZavorek(c, hloubka);
        if (hloubka < 0 || hloubka > 1)
            throw Chyba{radek, QStringLiteral("nepárové složené závorky v „%1“").arg(text)};
    }
    if (hloubka != 0)
        throw Chyba{radek, QStringLiteral("nepárové složené závorky v „%1“").arg(text)};
}

Sablona sablona(const QString& text, int radek) {
    kontrolaZavorek(text, radek);
    return Sablona{text, radek};
}

void strana(Sestava& s, const QString& hodnota, int radek) {
    const QStringList casti = hodnota.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& c : casti) {
        const QString t = c.toLower();
        if (t == QLatin1String("a4"))
            s.papir = QPageSize::A4;
        else if (t == QLatin1String("a5"))
            s.papir = QPageSize::A5;
        else if (t == QLatin1String("letter"))
            s.papir = QPageSize::Letter;
        else if (t == QLatin1String("portrait") || t == QStringLiteral("na_výšku"))
            s.orientace = QPageLayout::Portrait;
        else if (t == QLatin1String("landscape") || t == QStringLiteral("na_šířku"))
            s.orientace = QPageLayout::Landscape;
        else
            throw Chyba{radek, QStringLiteral("neznámý formát stránky „%1“ (A4, A5, Letter, portrait, "
                                              "landscape)")
                                   .arg(c)};
    }
}

void pismo(Sestava& s, const QString& hodnota, int radek) {
    const int mezera = int(hodnota.lastIndexOf(QLatin1Char(' ')));
    if (mezera <= 0)
        throw Chyba{radek, QStringLiteral("písmo se zapisuje jako „název velikost“, např. „DejaVu Sans 10“")};
    s.pismo = hodnota.left(mezera).trimmed();
    s.velikostPisma = cislo(hodnota.mid(mezera + 1), radek, "velikost písma");
    if (s.velikostPisma < 4 || s.velikostPisma > 40)
        throw Chyba{radek, QStringLiteral("velikost písma musí být mezi 4 a 40 body")};
}

void sloupec(Sestava& s, const QString& hodnota, int radek) {
    const QStringList casti = rozdel(hodnota, QLatin1Char('|'));
    if (casti.size() < 2 || casti.size() > 4)
        throw Chyba{radek, QStringLiteral("sloupec se zapisuje jako „Titulek | {Pole} | šířka v mm | "
                                          "zarovnání“")};
    Sloupec c;
    c.titulek = casti.at(0).trimmed();
    c.obsah = sablona(casti.at(1).trimmed(), radek);
    if (casti.size() > 2 && !casti.at(2).trimmed().isEmpty())
        c.sirkaMm = cislo(casti.at(2).trimmed(), radek, "šířka sloupce");
    if (casti.size() > 3)
        c.zarovnani = zarovnani(casti.at(3).trimmed(), radek);
    s.sloupce.push_back(c);
}

void vynechat(Sestava& s, const QString& hodnota, int radek) {
    // "JmenoPac begins ==" or "JmenoPac začíná =="
    static const QRegularExpression re(QStringLiteral("^(\\w+)\\s+(begins|začíná)\\s+(.+)$"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    const auto m = re.match(hodnota);
    if (!m.hasMatch())
        throw Chyba{radek, QStringLiteral("vynechání se zapisuje jako „Pole begins text“")};
    s.vynechat.push_back(Vynechat{m.captured(1), m.captured(3), radek});
}

void klic(Sestava& s, const QString& nazev, const QString& hodnota, int radek) {
    const QString k = nazev.toLower();
    if (k == QLatin1String("title"))
        s.titulek = hodnota;
    else if (k == QLatin1String("page"))
        strana(s, hodnota, radek);
    else if (k == QLatin1String("margin"))
        s.okrajMm = cislo(hodnota, radek, "okraj");
    else if (k == QLatin1String("font"))
        pismo(s, hodnota, radek);
    else if (k == QLatin1String("header"))
        s.zahlavi.push_back(sablona(hodnota, radek));
    else if (k == QLatin1String("column"))
        sloupec(s, hodnota, radek);
    else if (k == QLatin1String("total"))
        s.souhrn.push_back(sablona(hodnota, radek));
    else if (k == QLatin1String("footer"))
        s.zapati.push_back(sablona(hodnota, radek));
    else if (k == QLatin1String("empty"))
        s.prazdna = sablona(hodnota, radek);
    else if (k == QLatin1String("skip"))
        vynechat(s, hodnota, radek);
    else
        throw Chyba{radek, QStringLiteral("neznámý klíč „%1“").arg(nazev)};
}

QString uvod(const QString& soubor) {
    return QStringLiteral("Soubor sestav „%1“").arg(soubor);
}

} // namespace

Projekt Projekt::nacti(const QString& soubor) {
    QFile f(soubor);
    if (!f.exists()) {
        Projekt p;
        p.soubor_ = soubor;
        p.chyba_ = uvod(soubor) + QStringLiteral(" nebyl nalezen.");
        return p;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        Projekt p;
        p.soubor_ = soubor;
        p.chyba_ = uvod(soubor) + QStringLiteral(" nelze otevřít: ") + f.errorString();
        return p;
    }
    const QByteArray data = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    if (utf8.hasError()) {
        Projekt p;
        p.soubor_ = soubor;
        p.chyba_ = uvod(soubor) + QStringLiteral(" je poškozen: není uložen v kódování UTF-8.");
        return p;
    }
    return zTextu(text, soubor);
}

Projekt Projekt::zTextu(const QString& text, const QString& soubor) {
    Projekt p;
    p.soubor_ = soubor;
    try {
        Sestava* aktualni = nullptr;
        const QStringList radky = text.split(QLatin1Char('\n'));
        for (int i = 0; i < radky.size(); ++i) {
            const int radek = i + 1;
            QString r = radky.at(i);
            if (r.endsWith(QLatin1Char('\r')))
                r.chop(1);
            if (i == 0 && r.startsWith(QChar(0xFEFF)))
                r.remove(0, 1);
            const QString t = r.trimmed();
            if (t.isEmpty() || t.startsWith(QLatin1Char('#')))
                continue;
            if (t.startsWith(QLatin1Char('['))) {
                static const QRegularExpression hlava(QStringLiteral("^\\[\\s*Report\\s+(\\w+)\\s*\\]$"));
                const auto m = hlava.match(t);
                if (!m.hasMatch())
                    throw Chyba{radek, QStringLiteral("záhlaví sestavy se zapisuje jako „[Report Název]“")};
                const QString nazev = m.captured(1);
                if (p.sestavy_.count(nazev))
                    throw Chyba{radek, QStringLiteral("sestava „%1“ je v souboru dvakrát").arg(nazev)};
                aktualni = &p.sestavy_[nazev];
                aktualni->nazev = nazev;
                aktualni->titulek = nazev;
                aktualni->radek = radek;
                continue;
            }
            const int rovno = int(t.indexOf(QLatin1Char('=')));
            if (rovno <= 0)
                throw Chyba{radek, QStringLiteral("očekáván řádek „Klíč = hodnota“")};
            if (!aktualni)
                throw Chyba{radek, QStringLiteral("řádek stojí před první sestavou „[Report Název]“")};
            klic(*aktualni, t.left(rovno).trimmed(), t.mid(rovno + 1).trimmed(), radek);
        }
        for (const auto& [nazev, s] : p.sestavy_) {
            if (s.sloupce.empty())
                throw Chyba{s.radek, QStringLiteral("sestava „%1“ nemá žádný sloupec (Column)").arg(nazev)};
        }
    } catch (const Chyba& e) {
        p.sestavy_.clear();
        p.chyba_ = uvod(soubor) + QStringLiteral(" je poškozen, řádek %1: %2.").arg(e.radek).arg(e.text);
    }
    return p;
}

QStringList Projekt::nazvy() const {
    QStringList out;
    for (const auto& [nazev, s] : sestavy_)
        out << nazev;
    return out;
}

const Sestava& Projekt::sestava(const QString& nazev) const {
    const QString nelze = QStringLiteral("\r\nSestavu „%1“ nelze vytisknout.").arg(nazev);
    if (!chyba_.isEmpty())
        throw ReportError(chyba_ + nelze);
    const auto it = sestavy_.find(nazev);
    if (it == sestavy_.end())
        throw ReportError(uvod(soubor_) + QStringLiteral(" neobsahuje sestavu „%1“.").arg(nazev));
    return it->second;
}

} // namespace rv
