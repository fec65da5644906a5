#include "FoKlient.h"

#include "OknoCiselniku.h"

#include "Ciselniky.h"
#include "data/Kontroly.h"

#include "data/DmKL.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <iterator>

TFoKlient::TFoKlient(TCiselniky& ciselniky, QWidget* parent)
    : QWidget(parent, Qt::Window), ciselniky_(ciselniky) {
    pripravOkno(this, "FoKlient", QStringLiteral("Klient"));

    auto edit = [this](const char* name, const char* field, int chars) {
        auto* e = new tk::DBEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setDataSource(DmKL->DSPacienti);
        e->setDataField(QString::fromLatin1(field));
        // Short codes get a field of their size; names and addresses take the card's width.
        const int sirka = e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars + 14;
        if (chars <= 10)
            e->setFixedWidth(sirka);
        else
            e->setMinimumWidth(sirka);
        return e;
    };
    EdTitul = edit("EdTitul", "Titul", 6);
    EdPrijmeni = edit("EdPrijmeni", "Prijmeni", 20);
    QFont bold = font();
    bold.setBold(true);
    EdPrijmeni->setFont(bold);
    EdJmeno = edit("EdJmeno", "Jmeno", 15);
    EdUlice = edit("EdUlice", "Ulice", 30);
    EdPSC = edit("EdPSC", "PSC", 7);
    EdMisto = edit("EdMisto", "Misto", 25);
    EdTelefon = edit("EdTelefon", "Telefon", 20);
    EdMail = edit("EdMail", "Mail", 25);
    EdRC = edit("EdRC", "RC", 10);
    EdDatNar = edit("EdDatNar", "DatNar", 11);
    EdKodZP = edit("EdKodZP", "KodZP", 3);
    EdID = edit("EdID", "IDPacienta", 6);
    EdID->setEnabled(false);
    MemPoznamka = new QPlainTextEdit(this);
    MemPoznamka->setObjectName(QStringLiteral("MemPoznamka"));
    MemPoznamka->setTabChangesFocus(true);
    MemPoznamka->setFocusPolicy(Qt::ClickFocus);
    MemPoznamka->setFixedHeight(60);
    PanelZP = new QFrame(this);
    PanelZP->setObjectName(QStringLiteral("PanelZP"));
    PanelZP->setFrameShape(QFrame::Panel);
    PanelZP->setFrameShadow(QFrame::Sunken);
    LbZkrZP = new QLabel(PanelZP);
    LbZkrZP->setObjectName(QStringLiteral("LbZkrZP"));
    auto* zp = new QHBoxLayout(PanelZP);
    zp->setContentsMargins(4, 1, 4, 1);
    zp->addWidget(LbZkrZP);
    PanelZP->setMinimumWidth(60);
    Navigator = new tk::DBNavigator(this);
    Navigator->setObjectName(QStringLiteral("Navigator"));
    Navigator->setDataSource(DmKL->DSPacienti);
    Navigator->setHints({QStringLiteral("První klient"), QStringLiteral("Předchozí klient"),
                         QStringLiteral("Následující klient"), QStringLiteral("Poslední klient"),
                         QStringLiteral("Přidat klienta"), QStringLiteral("Smazat klienta"),
                         QStringLiteral("Opravit údaje klienta"), QStringLiteral("Potvrdit změny"),
                         QStringLiteral("Zrušit změny"), QStringLiteral("Refresh na síti")});

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(6);
    int r = 0;
    g->addWidget(label(QStringLiteral("Titul"), EdTitul), r, 0);
    g->addWidget(EdTitul, r, 1, Qt::AlignLeft);
    g->addWidget(label(QStringLiteral("ID"), EdID), r, 2, Qt::AlignRight);
    g->addWidget(EdID, r++, 3, Qt::AlignLeft);
    g->addWidget(label(QStringLiteral("Přijmení"), EdPrijmeni), r, 0);
    g->addWidget(EdPrijmeni, r++, 1, 1, 3);
    g->addWidget(label(QStringLiteral("Jméno"), EdJmeno), r, 0);
    g->addWidget(EdJmeno, r++, 1, 1, 3);
    g->addWidget(label(QStringLiteral("Adresa"), EdUlice), r, 0);
    g->addWidget(EdUlice, r++, 1, 1, 3);
    auto* mesto = new QHBoxLayout;
    mesto->addWidget(EdPSC);
    mesto->addWidget(EdMisto, 1);
    g->addLayout(mesto, r++, 1, 1, 3);
    g->addWidget(label(QStringLiteral("Telefon"), EdTelefon), r, 0);
    g->addWidget(EdTelefon, r++, 1, 1, 3);
    g->addWidget(label(QStringLiteral("e-mail"), EdMail), r, 0);
    g->addWidget(EdMail, r++, 1, 1, 3);
    g->addWidget(label(QStringLiteral("RČ"), EdRC), r, 0);
    g->addWidget(EdRC, r, 1, Qt::AlignLeft);
    g->addWidget(label(QStringLiteral("Narozen(a)"), EdDatNar), r, 2, Qt::AlignRight);
    g->addWidget(EdDatNar, r++, 3, Qt::AlignLeft);
    g->addWidget(label(QStringLiteral("Kód ZP"), EdKodZP), r, 0);
    auto* pojistovna = new QHBoxLayout;
    pojistovna->addWidget(EdKodZP);
    pojistovna->addWidget(PanelZP);
    pojistovna->addStretch(1);
    g->addLayout(pojistovna, r++, 1, 1, 3);
    g->addWidget(label(QStringLiteral("Poznámka"), MemPoznamka), r, 0, Qt::AlignTop);
    g->addWidget(MemPoznamka, r++, 1, 1, 3);
    g->setColumnStretch(1, 1);

    auto* sloupec = new QVBoxLayout(this);
    sloupec->addLayout(g);
    auto* dole = new QHBoxLayout;
    dole->addWidget(Navigator);
    dole->addStretch(1);
    sloupec->addLayout(dole);

    QWidget* poradi[] = {EdTitul,   EdPrijmeni, EdJmeno, EdUlice,  EdPSC,   EdMisto,
                         EdTelefon, EdMail,     EdRC,    EdDatNar, EdKodZP, Navigator};
    for (size_t i = 0; i + 1 < std::size(poradi); ++i)
        setTabOrder(poradi[i], poradi[i + 1]);

    connect(EdKodZP, &QLineEdit::textChanged, this, [this] { tk::guard([this] { EdKodZPChange(); }); });
    tk::Dataset* d = DmKL->QPacienti;
    for (auto signal : {&tk::Dataset::currentChanged, &tk::Dataset::stateChanged, &tk::Dataset::rowsChanged})
        connect(d, signal, this, &TFoKlient::ukazPoznamku);
    connect(d, &tk::Dataset::fieldChanged, this, [this](tk::Field* f) {
        if (f == DmKL->QPacientiPoznamka)
            ukazPoznamku();
    });
    connect(d, &tk::Dataset::updateRecordRequested, this, &TFoKlient::zapisPoznamku);
    connect(MemPoznamka, &QPlainTextEdit::textChanged, this, &TFoKlient::zapisPoznamku);
    qApp->installEventFilter(this);
    FormCreate();
    ukazPoznamku();
    EdKodZPChange();
}

TFoKlient::~TFoKlient() {
    qApp->removeEventFilter(this);
}

void TFoKlient::FormCreate() {
    navigatorKlientu(Navigator);
}

QString TFoKlient::ZkratkaZP(const QString& kod) {
    static const QHash<QString, QString> zkratky = {
        {QStringLiteral("111"), QStringLiteral("VZP")},  {QStringLiteral("201"), QStringLiteral("VoZP")},
        {QStringLiteral("205"), QStringLiteral("ČPZP")}, {QStringLiteral("207"), QStringLiteral("OZP")},
        {QStringLiteral("209"), QStringLiteral("ZPŠ")},  {QStringLiteral("211"), QStringLiteral("ZPMV")},
        {QStringLiteral("213"), QStringLiteral("RBP")},  {QStringLiteral("217"), QStringLiteral("ZPMA")},
        {QStringLiteral("222"), QStringLiteral("ČNZP")}, {QStringLiteral("227"), QStringLiteral("ZPA")},
        {QStringLiteral("228"), QStringLiteral("MZP")},
    };
    return zkratky.value(kod);
}

void TFoKlient::EdKodZPChange() {
    LbZkrZP->setText(ZkratkaZP(EdKodZP->text()));
}

void TFoKlient::ukazPoznamku() {
    tk::Dataset* d = DmKL->QPacienti;
    const QString text = d->isActive() && !d->isEmpty() ? DmKL->QPacientiPoznamka->asString() : QString();
    MemPoznamka->setReadOnly(!d->isEditing());
    if (MemPoznamka->toPlainText() == text)
        return;
    ukazuji_ = true;
    MemPoznamka->setPlainText(text);
    ukazuji_ = false;
}

void TFoKlient::zapisPoznamku() {
    tk::Dataset* d = DmKL->QPacienti;
    if (ukazuji_ || !d->isEditing() || DmKL->QPacientiPoznamka->asString() == MemPoznamka->toPlainText())
        return;
    tk::guard([this] { DmKL->QPacientiPoznamka->setAsString(MemPoznamka->toPlainText()); });
}

void TFoKlient::EdRCExit() {
    tk::Dataset* d = DmKL->QPacienti;
    // The first client of an empty list is a row too while it is inserted.
    if (!d->isActive() || (d->isEmpty() && !d->isEditing()))
        return;
    if (d->isEditing())
        DmKL->QPacientiRC->setAsString(BezMezer(DmKL->QPacientiRC->asString()));
    bool chyba = false;
    // A wrong number is reported, not refused.
    KontrolaRC(DmKL->QPacientiRC->asString(), true, chyba);
    const tk::TDateTime odvozene =
        DmKL->QPacientiVDatNar->isNull() ? 0 : DmKL->QPacientiVDatNar->asDateTime();
    if (d->state() == tk::DatasetState::Insert && odvozene > 0 && !chyba)
        DmKL->QPacientiDatNar->setAsDateTime(odvozene);
}

void TFoKlient::EdDatNarExit() {
    tk::Dataset* d = DmKL->QPacienti;
    // The first client of an empty list is a row too while it is inserted.
    if (!d->isActive() || (d->isEmpty() && !d->isEditing()))
        return;
    const tk::TDateTime datum = DmKL->QPacientiDatNar->isNull() ? 0 : DmKL->QPacientiDatNar->asDateTime();
    const tk::TDateTime odvozene =
        DmKL->QPacientiVDatNar->isNull() ? 0 : DmKL->QPacientiVDatNar->asDateTime();
    if (datum > 0 && int(datum) != int(odvozene))
        tk::dialogs().message(QStringLiteral("Datum narození neodpovídá rodnému číslu."));
}

bool TFoKlient::EdDatNarKeyPress(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Backspace)
        return false; // moving and deleting keys
    if (text == QStringLiteral(",")) {
        EdDatNar->insert(QStringLiteral("."));
        return true;
    }
    const QChar c = text.at(0);
    return !(c == QLatin1Char(' ') || (c >= QLatin1Char('.') && c <= QLatin1Char(':')));
}

bool TFoKlient::FormKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}

bool TFoKlient::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == EdRC)
            tk::guard([this] { EdRCExit(); });
        else if (watched == EdDatNar)
            tk::guard([this] { EdDatNarExit(); });
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    bool consumed = false;
    tk::guard([&] {
        consumed = FormKeyPress(key);
        if (!consumed && watched == EdDatNar)
            consumed = EdDatNarKeyPress(key);
    });
    return consumed;
}

void TFoKlient::closeEvent(QCloseEvent* event) {
    tk::guard([this] { FormClose(); });
    event->accept();
}

void TFoKlient::FormClose() {
    // An unposted change is dropped without a question.
    if (DmKL->QPacienti->isEditing())
        DmKL->QPacienti->cancel();
}
