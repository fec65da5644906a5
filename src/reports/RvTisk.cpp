#include "RvTisk.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dataset.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <optional>
#include <vector>

namespace rv {

namespace {

// One placeholder "{Name:format|default}".
struct Misto {
    QString nazev, format, vychozi;
};

Misto rozloz(const QString& vnitrek) {
    Misto m;
    QString s = vnitrek;
    const int svislice = int(s.indexOf(QLatin1Char('|')));
    if (svislice >= 0) {
        m.vychozi = s.mid(svislice + 1);
        s = s.left(svislice);
    }
    const int dvojtecka = int(s.indexOf(QLatin1Char(':')));
    if (dvojtecka >= 0) {
        m.format = s.mid(dvojtecka + 1);
        s = s.left(dvojtecka);
    }
    m.nazev = s.trimmed();
    return m;
}

// The printed rows: the list's rows in their order, less those the report leaves out.
std::vector<int> tisknute(const Sestava& s, const Data& d) {
    std::vector<int> out;
    if (!d.seznam || !d.seznam->isActive())
        return out;
    std::vector<const tk::Field*> pole;
    for (const Vynechat& v : s.vynechat)
        pole.push_back(d.seznam->findField(v.pole));
    for (int r = 1; r <= d.seznam->recordCount(); ++r) {
        bool vynechat = false;
        for (size_t i = 0; i < s.vynechat.size() && !vynechat; ++i)
            vynechat =
                pole[i] && d.seznam->rowValue(r, *pole[i]).toString().startsWith(s.vynechat[i].zacatek);
        if (!vynechat)
            out.push_back(r);
    }
    return out;
}

QString formatovat(const tk::Field& f, const QVariant& v, const QString& format) {
    if (!v.isValid() || v.isNull())
        return QString();
    if (format.isEmpty())
        return f.displayTextOf(v);
    switch (f.type()) {
    case tk::FieldType::DateTime:
        return tk::formatDateTime(format, v.toDouble());
    case tk::FieldType::Integer:
    case tk::FieldType::AutoInc:
    case tk::FieldType::Float:
        return tk::formatNumber(format, v.toDouble());
    case tk::FieldType::Boolean: {
        const QStringList casti = format.split(QLatin1Char(';'));
        return v.toBool() ? casti.value(0) : casti.value(1);
    }
    default:
        return f.displayTextOf(v);
    }
}

struct Kontext {
    const Sestava& s;
    const Data& d;
    const std::vector<int>& radky;
    int radek = 0; // recNo of the list, 0 for none
    int strana = 1, stran = 1;
};

QString neznamy(const Sestava& s, const QString& soubor, int radek, const QString& co) {
    return QStringLiteral("Sestava „%1“ v souboru „%2“, řádek %3: neznámé pole „%4“.")
        .arg(s.nazev, soubor)
        .arg(radek)
        .arg(co);
}

// The value of one placeholder; nothing when its name is unknown.
std::optional<QString> hodnota(const Misto& m, const Kontext& k) {
    const tk::Dataset* seznam = k.d.seznam;
    if (m.nazev == QLatin1String("Page"))
        return QString::number(k.strana);
    if (m.nazev == QLatin1String("Pages"))
        return QString::number(k.stran);
    if (m.nazev == QLatin1String("Title"))
        return k.s.titulek;
    if (m.nazev == QLatin1String("Now"))
        return tk::formatDateTime(m.format.isEmpty() ? QStringLiteral("d.m.yyyy h:nn") : m.format,
                                  tk::clock().now());
    if (m.nazev == QLatin1String("Count") || m.nazev == QLatin1String("Sum")) {
        const tk::Field* f = m.format.isEmpty() || !seznam ? nullptr : seznam->findField(m.format.trimmed());
        if (!m.format.isEmpty() && !f)
            return std::nullopt;
        double soucet = 0;
        for (int r : k.radky) {
            if (!f)
                soucet += 1;
            else if (m.nazev == QLatin1String("Count"))
                soucet += seznam->rowValue(r, *f).toString().trimmed().isEmpty() ? 0 : 1;
            else
                soucet += seznam->rowValue(r, *f).toDouble();
        }
        return QString::number(soucet, 'f', soucet == std::floor(soucet) ? 0 : 2);
    }
    const int tecka = int(m.nazev.indexOf(QLatin1Char('.')));
    if (tecka > 0) {
        const auto it = k.d.radky.find(m.nazev.left(tecka));
        if (it == k.d.radky.end() || !it->second)
            return std::nullopt;
        const tk::Field* f = it->second->findField(m.nazev.mid(tecka + 1));
        if (!f)
            return std::nullopt;
        const bool radek = it->second->isActive() && !it->second->isEmpty();
        return radek ? formatovat(*f, f->value(), m.format) : QString();
    }
    const tk::Field* f = seznam ? seznam->findField(m.nazev) : nullptr;
    if (!f)
        return std::nullopt;
    if (k.radek <= 0)
        return QString();
    return formatovat(*f, seznam->rowValue(k.radek, *f), m.format);
}

QString vyplnitText(const QString& text, const Kontext& k, QString* neznamePole = nullptr) {
    QString out;
    int i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('{')) {
            out += c;
            ++i;
            continue;
        }
        const int konec = int(text.indexOf(QLatin1Char('}'), i));
        const Misto m = rozloz(text.mid(i + 1, konec - i - 1));
        const std::optional<QString> h = hodnota(m, k);
        if (!h && neznamePole && neznamePole->isEmpty()) {
            const bool souhrn = m.nazev == QLatin1String("Count") || m.nazev == QLatin1String("Sum");
            *neznamePole = souhrn ? m.format.trimmed() : m.nazev;
        }
        QString v = h.value_or(QString());
        if (v.trimmed().isEmpty())
            v = m.vychozi;
        out += v;
        i = konec + 1;
    }
    return out;
}

// Sizes in device pixels.
struct Rozmery {
    QFont titul, hlava, text, tucny, pata;
    double radekTitul, radekHlava, radekText, radekPata;
    double sirka, vyska, mezera;
};

Rozmery rozmery(const Sestava& s, QPaintDevice& zarizeni) {
    Rozmery r;
    r.text = QFont(s.pismo);
    r.text.setPointSizeF(s.velikostPisma);
    // Without ligatures: "fi" drawn as one glyph reads back from the PDF as one odd character, and a name
    // searched for or copied out of the file would not match.
    r.text.setStyleStrategy(QFont::PreferNoShaping);
    r.tucny = r.text;
    r.tucny.setBold(true);
    r.titul = r.tucny;
    r.titul.setPointSizeF(s.velikostPisma * 1.5);
    r.hlava = r.tucny;
    r.hlava.setPointSizeF(s.velikostPisma * 1.15);
    r.pata = r.text;
    r.pata.setPointSizeF(s.velikostPisma * 0.8);
    r.radekTitul = QFontMetricsF(r.titul, &zarizeni).lineSpacing() * 1.3;
    r.radekHlava = QFontMetricsF(r.hlava, &zarizeni).lineSpacing() * 1.2;
    r.radekText = QFontMetricsF(r.text, &zarizeni).lineSpacing() * 1.35;
    r.radekPata = QFontMetricsF(r.pata, &zarizeni).lineSpacing() * 1.2;
    r.sirka = zarizeni.width();
    r.vyska = zarizeni.height();
    r.mezera = r.radekText * 0.5;
    return r;
}

std::vector<double> sirkySloupcu(const Sestava& s, double sirka, double pxNaMm) {
    std::vector<double> out;
    double pevne = 0;
    int volnych = 0;
    for (const Sloupec& c : s.sloupce) {
        pevne += c.sirkaMm * pxNaMm;
        volnych += c.sirkaMm <= 0 ? 1 : 0;
    }
    const double meritko = pevne > sirka ? sirka / pevne : 1.0;
    const double zbytek = volnych > 0 ? std::max(0.0, sirka - pevne * meritko) / volnych : 0.0;
    for (const Sloupec& c : s.sloupce)
        out.push_back(c.sirkaMm > 0 ? c.sirkaMm * pxNaMm * meritko : zbytek);
    return out;
}

} // namespace

void over(const Sestava& s, const Data& d, const QString& soubor) {
    const std::vector<int> zadne;
    const Kontext k{s, d, zadne, 0, 1, 1};
    std::vector<const Sablona*> vse;
    for (const Sablona& t : s.zahlavi)
        vse.push_back(&t);
    for (const Sloupec& c : s.sloupce)
        vse.push_back(&c.obsah);
    for (const Sablona& t : s.souhrn)
        vse.push_back(&t);
    for (const Sablona& t : s.zapati)
        vse.push_back(&t);
    vse.push_back(&s.prazdna);
    for (const Sablona* t : vse) {
        QString nezname;
        vyplnitText(t->text, k, &nezname);
        if (!nezname.isEmpty())
            throw ReportError(neznamy(s, soubor, t->radek, nezname));
    }
    for (const Vynechat& v : s.vynechat) {
        if (d.seznam && !d.seznam->findField(v.pole))
            throw ReportError(neznamy(s, soubor, v.radek, v.pole));
    }
}

QString vyplnit(const Sablona& sablona, const Sestava& sestava, const Data& data, int radek, int strana,
                int stran) {
    const std::vector<int> radky = tisknute(sestava, data);
    return vyplnitText(sablona.text, Kontext{sestava, data, radky, radek, strana, stran});
}

int vykresli(const Sestava& s, const Data& d, QPagedPaintDevice& zarizeni) {
    zarizeni.setPageLayout(QPageLayout(QPageSize(s.papir), s.orientace,
                                       QMarginsF(s.okrajMm, s.okrajMm, s.okrajMm, s.okrajMm),
                                       QPageLayout::Millimeter));
    const std::vector<int> radky = tisknute(s, d);
    const Rozmery r = rozmery(s, zarizeni);
    const double pxNaMm = zarizeni.logicalDpiX() / 25.4;
    const std::vector<double> sirky = sirkySloupcu(s, r.sirka, pxNaMm);
    const int prvni = radky.empty() ? 0 : radky.front();

    // Every page: title, header lines, a gap, the column titles; the footer at the foot.
    const double hlavaVyska =
        r.radekTitul + double(s.zahlavi.size()) * r.radekHlava + r.mezera + r.radekText + r.mezera * 0.5;
    const double pataVyska = s.zapati.empty() ? 0 : r.mezera + double(s.zapati.size()) * r.radekPata;
    const double telo = std::max(r.radekText, r.vyska - hlavaVyska - pataVyska);
    const int naStranu = std::max(1, int(std::floor(telo / r.radekText)));
    const int radkuTela = radky.empty() ? 1 : int(radky.size());
    int stran = (radkuTela + naStranu - 1) / naStranu;
    const int naPosledni = radkuTela - (stran - 1) * naStranu;
    const double souhrnVyska = s.souhrn.empty() ? 0 : r.mezera + double(s.souhrn.size()) * r.radekText;
    const bool souhrnDale = naPosledni * r.radekText + souhrnVyska > telo;
    if (souhrnDale)
        ++stran;

    QPainter p;
    if (!p.begin(&zarizeni))
        throw ReportError(
            QStringLiteral("Sestavu „%1“ nelze vytisknout: výstupní zařízení nelze otevřít.").arg(s.nazev));
    const QPen tenka(QColor(0, 0, 0), std::max(1.0, pxNaMm * 0.2));
    const QPen slaba(QColor(150, 150, 150), std::max(1.0, pxNaMm * 0.1));

    size_t dalsi = 0;
    for (int strana = 1; strana <= stran; ++strana) {
        if (strana > 1)
            zarizeni.newPage();
        const Kontext k{s, d, radky, prvni, strana, stran};
        double y = 0;
        p.setPen(QColor(0, 0, 0));
        p.setFont(r.titul);
        p.drawText(QRectF(0, y, r.sirka, r.radekTitul), Qt::AlignLeft | Qt::AlignVCenter, s.titulek);
        y += r.radekTitul;
        for (size_t i = 0; i < s.zahlavi.size(); ++i) {
            p.setFont(i == 0 ? r.hlava : r.text);
            p.drawText(QRectF(0, y, r.sirka, r.radekHlava), Qt::AlignLeft | Qt::AlignVCenter,
                       vyplnitText(s.zahlavi[i].text, k));
            y += r.radekHlava;
        }
        y += r.mezera;

        // Column titles.
        p.setFont(r.tucny);
        const double pad = pxNaMm * 1.2;
        double x = 0;
        for (size_t c = 0; c < s.sloupce.size(); ++c) {
            p.drawText(QRectF(x + pad, y, sirky[c] - 2 * pad, r.radekText),
                       s.sloupce[c].zarovnani | Qt::AlignVCenter, s.sloupce[c].titulek);
            x += sirky[c];
        }
        y += r.radekText;
        p.setPen(tenka);
        p.drawLine(QPointF(0, y), QPointF(r.sirka, y));
        y += r.mezera * 0.5;

        // Rows.
        p.setFont(r.text);
        const QFontMetricsF fm(r.text, &zarizeni);
        int naTeto = 0;
        if (radky.empty() && strana == 1) {
            p.setPen(QColor(0, 0, 0));
            p.drawText(QRectF(pad, y, r.sirka - 2 * pad, r.radekText), Qt::AlignLeft | Qt::AlignVCenter,
                       vyplnitText(s.prazdna.text, k));
            y += r.radekText;
        }
        while (dalsi < radky.size() && naTeto < naStranu) {
            const Kontext kr{s, d, radky, radky[dalsi], strana, stran};
            if (dalsi % 2 == 1)
                p.fillRect(QRectF(0, y, r.sirka, r.radekText), QColor(242, 242, 242));
            p.setPen(QColor(0, 0, 0));
            x = 0;
            for (size_t c = 0; c < s.sloupce.size(); ++c) {
                const double w = sirky[c] - 2 * pad;
                const QString t = fm.elidedText(vyplnitText(s.sloupce[c].obsah.text, kr), Qt::ElideRight, w);
                p.drawText(QRectF(x + pad, y, w, r.radekText), s.sloupce[c].zarovnani | Qt::AlignVCenter, t);
                x += sirky[c];
            }
            y += r.radekText;
            p.setPen(slaba);
            p.drawLine(QPointF(0, y), QPointF(r.sirka, y));
            ++dalsi;
            ++naTeto;
        }

        // Totals after the last row.
        if (strana == stran && !s.souhrn.empty()) {
            y += r.mezera;
            p.setPen(tenka);
            p.drawLine(QPointF(0, y - r.mezera * 0.5), QPointF(r.sirka, y - r.mezera * 0.5));
            p.setPen(QColor(0, 0, 0));
            p.setFont(r.tucny);
            for (const Sablona& t : s.souhrn) {
                p.drawText(QRectF(pad, y, r.sirka - 2 * pad, r.radekText), Qt::AlignLeft | Qt::AlignVCenter,
                           vyplnitText(t.text, k));
                y += r.radekText;
            }
        }

        // Footer.
        if (!s.zapati.empty()) {
            double yp = r.vyska - double(s.zapati.size()) * r.radekPata;
            p.setPen(slaba);
            p.drawLine(QPointF(0, yp - r.mezera * 0.5), QPointF(r.sirka, yp - r.mezera * 0.5));
            p.setPen(QColor(60, 60, 60));
            p.setFont(r.pata);
            for (const Sablona& t : s.zapati) {
                p.drawText(QRectF(0, yp, r.sirka, r.radekPata), Qt::AlignLeft | Qt::AlignVCenter,
                           vyplnitText(t.text, k));
                yp += r.radekPata;
            }
        }
    }
    p.end();
    return stran;
}

int ulozPdf(const Sestava& s, const Data& d, const QString& cesta) {
    {
        // The writer does not say when it cannot create its file.
        QFile zkouska(cesta);
        if (!zkouska.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw ReportError(QStringLiteral("Soubor „%1“ nelze zapsat (%2).\r\nSestava „%3“ nebyla uložena.")
                                  .arg(QFileInfo(cesta).absoluteFilePath(), zkouska.errorString(), s.nazev));
    }
    QPdfWriter pdf(cesta);
    pdf.setResolution(300);
    pdf.setTitle(s.titulek);
    pdf.setCreator(QStringLiteral("Kalendo"));
    return vykresli(s, d, pdf);
}

} // namespace rv
