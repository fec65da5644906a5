#pragma once

// Running a report by name: the output-device dialog, the preview, the printer and the PDF file.

#include "RvTisk.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <memory>

namespace rv {

enum class Vystup { Zruseno, Nahled, Tiskarna, Pdf };

struct VolbaVystupu {
    Vystup vystup = Vystup::Zruseno;
    QString tiskarna; // the system's name of the printer
    int kopie = 1;
};

// Asks where a report goes. The real one is the dialog below; tests install one that answers at once.
class VyberVystupu {
public:
    virtual ~VyberVystupu() = default;
    virtual VolbaVystupu vyber(const QString& titulek, QWidget* parent) = 0;
};
VyberVystupu& vyberVystupu();
void setVyberVystupu(std::unique_ptr<VyberVystupu> vyber); // nullptr restores the dialog

// The output-device dialog "Výběr výstupního zařízení": the preview, one of the system's printers, or a
// PDF file.
class TFoVystup : public QDialog {
    Q_OBJECT
public:
    explicit TFoVystup(const QString& titulek, QWidget* parent = nullptr);
    VolbaVystupu volba() const;

    QRadioButton *RBNahled, *RBTiskarna, *RBPdf;
    QComboBox* CbTiskarna;
    QSpinBox* EdKopie;
    QPushButton *BtOK, *BtZrusit;
};

// The report project with its data connections: runs a named report of the project file over the list
// and the parameter row.
class RvProject {
public:
    explicit RvProject(const QString& soubor = QString());
    void setProjectFile(const QString& soubor) { soubor_ = soubor; }
    QString projectFile() const { return soubor_; }
    // The list whose rows are printed and further datasets named by a prefix in the layouts.
    void setSeznam(const tk::Dataset* seznam) { data_.seznam = seznam; }
    void setRadek(const QString& prefix, const tk::Dataset* dataset) { data_.radky[prefix] = dataset; }

    // Reads the project file anew, checks the report and asks for the destination. Throws ReportError
    // with a message naming the file and the report when either is missing or broken. A cancelled dialog
    // prints nothing and is no error.
    void ExecuteReport(const QString& nazev, QWidget* parent = nullptr);
    // The same straight into a PDF file; returns the number of pages.
    int SaveAsPdf(const QString& nazev, const QString& cesta);

    // Titles of the engine's windows.
    QString nastaveniTitulek = QStringLiteral("Výběr výstupního zařízení");
    QString nahledTitulek = QStringLiteral("Náhled sestavy");

private:
    void tiskni(const Sestava& s, const VolbaVystupu& v);
    void nahled(const Sestava& s, QWidget* parent);
    void doPdf(const Sestava& s, QWidget* parent);

    QString soubor_;
    Data data_;
};

} // namespace rv
