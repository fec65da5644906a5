#include "RvSystem.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

#include <QGridLayout>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace rv {

namespace {

class DialogVystupu : public VyberVystupu {
public:
    VolbaVystupu vyber(const QString& titulek, QWidget* parent) override {
        TFoVystup dialog(titulek, parent);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.volba();
    }
};

std::unique_ptr<VyberVystupu>& aktualniVyber() {
    static std::unique_ptr<VyberVystupu> vyber = std::make_unique<DialogVystupu>();
    return vyber;
}

} // namespace

VyberVystupu& vyberVystupu() {
    return *aktualniVyber();
}

void setVyberVystupu(std::unique_ptr<VyberVystupu> vyber) {
    aktualniVyber() = vyber ? std::move(vyber) : std::make_unique<DialogVystupu>();
}

TFoVystup::TFoVystup(const QString& titulek, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoVystup"));
    setWindowTitle(titulek);
    auto* mrizka = new QGridLayout(this);
    auto* skupina = new QButtonGroup(this);
    RBNahled = new QRadioButton(QStringLiteral("Náhled sestavy"), this);
    RBNahled->setObjectName(QStringLiteral("RBNahled"));
    RBTiskarna = new QRadioButton(QStringLiteral("Tiskárna"), this);
    RBTiskarna->setObjectName(QStringLiteral("RBTiskarna"));
    RBPdf = new QRadioButton(QStringLiteral("Soubor PDF"), this);
    RBPdf->setObjectName(QStringLiteral("RBPdf"));
    for (QRadioButton* rb : {RBNahled, RBTiskarna, RBPdf})
        skupina->addButton(rb);
    RBNahled->setChecked(true);

    CbTiskarna = new QComboBox(this);
    CbTiskarna->setObjectName(QStringLiteral("CbTiskarna"));
    const QStringList tiskarny = QPrinterInfo::availablePrinterNames();
    CbTiskarna->addItems(tiskarny);
    const QString vychozi = QPrinterInfo::defaultPrinterName();
    if (!vychozi.isEmpty())
        CbTiskarna->setCurrentText(vychozi);
    EdKopie = new QSpinBox(this);
    EdKopie->setObjectName(QStringLiteral("EdKopie"));
    EdKopie->setRange(1, 99);
    if (tiskarny.isEmpty()) {
        RBTiskarna->setEnabled(false);
        CbTiskarna->addItem(QStringLiteral("(žádná tiskárna není nainstalována)"));
        CbTiskarna->setEnabled(false);
        EdKopie->setEnabled(false);
    }

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    BtZrusit = new QPushButton(QStringLiteral("Zrušit"), this);
    BtZrusit->setObjectName(QStringLiteral("BtZrusit"));
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtZrusit, &QPushButton::clicked, this, &QDialog::reject);

    mrizka->addWidget(new QLabel(QStringLiteral("Kam sestavu poslat:"), this), 0, 0, 1, 3);
    mrizka->addWidget(RBNahled, 1, 0, 1, 3);
    mrizka->addWidget(RBTiskarna, 2, 0);
    mrizka->addWidget(CbTiskarna, 2, 1);
    auto* kopie = new QLabel(QStringLiteral("Kopií"), this);
    kopie->setBuddy(EdKopie);
    mrizka->addWidget(kopie, 3, 1, Qt::AlignRight);
    mrizka->addWidget(EdKopie, 3, 2);
    mrizka->addWidget(RBPdf, 4, 0, 1, 3);
    mrizka->addWidget(BtOK, 5, 1, Qt::AlignRight);
    mrizka->addWidget(BtZrusit, 5, 2);
}

VolbaVystupu TFoVystup::volba() const {
    VolbaVystupu v;
    v.vystup = RBTiskarna->isChecked() ? Vystup::Tiskarna : RBPdf->isChecked() ? Vystup::Pdf : Vystup::Nahled;
    v.tiskarna = CbTiskarna->currentText();
    v.kopie = EdKopie->value();
    return v;
}

RvProject::RvProject(const QString& soubor) : soubor_(soubor) {}

void RvProject::ExecuteReport(const QString& nazev, QWidget* parent) {
    // Read at each run, so that an edited file is used without restarting the program.
    const Projekt projekt = Projekt::nacti(soubor_);
    const Sestava& s = projekt.sestava(nazev);
    over(s, data_, soubor_);
    const VolbaVystupu v = vyberVystupu().vyber(nastaveniTitulek, parent);
    switch (v.vystup) {
    case Vystup::Zruseno:
        return;
    case Vystup::Nahled:
        nahled(s, parent);
        return;
    case Vystup::Tiskarna:
        tiskni(s, v);
        return;
    case Vystup::Pdf:
        doPdf(s, parent);
        return;
    }
}

int RvProject::SaveAsPdf(const QString& nazev, const QString& cesta) {
    const Projekt projekt = Projekt::nacti(soubor_);
    const Sestava& s = projekt.sestava(nazev);
    over(s, data_, soubor_);
    return ulozPdf(s, data_, cesta);
}

void RvProject::tiskni(const Sestava& s, const VolbaVystupu& v) {
    QPrinter tiskarna(QPrinter::HighResolution);
    tiskarna.setPrinterName(v.tiskarna);
    tiskarna.setCopyCount(v.kopie);
    tiskarna.setDocName(QStringLiteral("Kalendo – ") + s.titulek);
    if (!tiskarna.isValid())
        throw ReportError(QStringLiteral("Tiskárna „%1“ není k dispozici.\r\nSestava „%2“ nebyla vytištěna.")
                              .arg(v.tiskarna, s.nazev));
    vykresli(s, data_, tiskarna);
}

void RvProject::nahled(const Sestava& s, QWidget* parent) {
    QPrinter tiskarna(QPrinter::HighResolution);
    tiskarna.setDocName(QStringLiteral("Kalendo – ") + s.titulek);
    QPrintPreviewDialog dialog(&tiskarna, parent);
    dialog.setObjectName(QStringLiteral("FoNahled"));
    dialog.setWindowTitle(nahledTitulek);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* p) { tk::guard([&] { vykresli(s, data_, *p); }); });
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>())
        widget->setZoomFactor(1.0);
    dialog.resize(900, 1000);
    dialog.exec();
}

void RvProject::doPdf(const Sestava& s, QWidget*) {
    const QString slozka = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString navrh = s.nazev + QLatin1Char('_') +
                          tk::formatDateTime(QStringLiteral("yyyymmdd"), tk::clock().now()) +
                          QStringLiteral(".pdf");
    const QString cesta = tk::dialogs().saveFile(QStringLiteral("Uložit sestavu jako PDF"),
                                                 QStringLiteral("Dokument PDF *.pdf|*.pdf"), slozka, navrh,
                                                 QStringLiteral("pdf"));
    if (cesta.isEmpty())
        return;
    ulozPdf(s, data_, cesta);
}

} // namespace rv
