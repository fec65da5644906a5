#pragma once

// The report project: the named report layouts of the text file "Kalendo.rav" beside the program. The
// format is described in docs/sestavy.md; a clinic may edit the file with any text editor.

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <map>
#include <stdexcept>
#include <vector>

namespace rv {

// A failure of the report engine; its text names the file and the report and is shown to the user.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message) : std::runtime_error(message.toStdString()), text(message) {}
    QString text;
};

// A text with placeholders in braces, as written in the file: "Den {VDen:d.m.yyyy}".
struct Sablona {
    QString text;
    int radek = 0; // line of the file, for messages
};

struct Sloupec {
    QString titulek;
    Sablona obsah;
    double sirkaMm = 0; // 0: what is left of the line
    Qt::Alignment zarovnani = Qt::AlignLeft;
};

// Rows whose field begins with a text are left out of the print (the working day's marker rows).
struct Vynechat {
    QString pole;
    QString zacatek;
    int radek = 0;
};

struct Sestava {
    QString nazev;
    QString titulek;
    QPageSize::PageSizeId papir = QPageSize::A4;
    QPageLayout::Orientation orientace = QPageLayout::Portrait;
    double okrajMm = 15;
    QString pismo = QStringLiteral("DejaVu Sans");
    double velikostPisma = 10;
    std::vector<Sablona> zahlavi;
    std::vector<Sloupec> sloupce;
    std::vector<Sablona> souhrn;
    std::vector<Sablona> zapati;
    Sablona prazdna; // printed instead of the rows when there are none
    std::vector<Vynechat> vynechat;
    int radek = 0; // line of the section heading
};

// The parsed file. Loading never throws: a missing or broken file is kept as an error that every later
// request reports, naming the file and the report asked for.
class Projekt {
public:
    static Projekt nacti(const QString& soubor);
    static Projekt zTextu(const QString& text, const QString& soubor);

    QString soubor() const { return soubor_; }
    bool jeChybny() const { return !chyba_.isEmpty(); }
    QStringList nazvy() const;
    // The report of that name; throws ReportError when the file is missing or broken or does not hold it.
    const Sestava& sestava(const QString& nazev) const;

private:
    QString soubor_;
    QString chyba_; // empty when the file was read
    std::map<QString, Sestava> sestavy_;
};

} // namespace rv
