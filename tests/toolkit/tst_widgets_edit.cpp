#include "support/tk_TempSqlite.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Dataset.h"
#include "toolkit/widgets/DBCheckBox.h"
#include "toolkit/widgets/DBEdit.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tk;

// Data-aware edits and check boxes over a small table of people.
class TestWidgetsEdit : public QObject {
    Q_OBJECT

    std::unique_ptr<tktest::TempSqlite> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<DBEdit> edit;
    tktest::TestDialogs* dialogs = nullptr;

    Field& field(const char* name) { return ds->fieldByName(QLatin1String(name)); }
    QString stored(const char* column, int id) {
        return db
            ->scalar(QStringLiteral("select %1 from Osoba where ID=%2").arg(QLatin1String(column)).arg(id))
            .toString();
    }
    DBEdit& bind(const char* fieldName) {
        edit->setDataField(QLatin1String(fieldName));
        return *edit;
    }
    void type(const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit.get(), text);
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        db = std::make_unique<tktest::TempSqlite>();
        const std::vector<ColumnDef> columns{
            {QStringLiteral("ID"), QStringLiteral("int"), true, 1, {}},
            {QStringLiteral("Kod"), QStringLiteral("char(2)"), false, 0, {}},
            {QStringLiteral("PSC"), QStringLiteral("char(5)"), false, 0, {}},
            {QStringLiteral("Prijmeni"), QStringLiteral("varchar(20)"), false, 0, {}},
            {QStringLiteral("Narozen"), QStringLiteral("datetime"), false, 0, {}},
            {QStringLiteral("Pocet"), QStringLiteral("int"), false, 0, {}},
            {QStringLiteral("Aktivni"), QStringLiteral("bit"), false, 0, {}}};
        for (const QString& s : db->connection().dialect().createTable(QStringLiteral("Osoba"), columns))
            db->exec(s);

        ds = std::make_unique<Dataset>(QStringLiteral("QOsoba"));
        ds->setConnection(&db->connection());
        ds->setSql(QStringLiteral("select * from Osoba order by ID"));
        ds->addField(QStringLiteral("ID"), FieldType::AutoInc);
        ds->addField(QStringLiteral("Kod"), FieldType::String, 2)
            .setFixedChar(true)
            .setEditMask(QStringLiteral("99;1; "));
        ds->addField(QStringLiteral("PSC"), FieldType::String, 5)
            .setFixedChar(true)
            .setEditMask(QStringLiteral("999 99;0; "));
        ds->addField(QStringLiteral("Prijmeni"), FieldType::String, 20)
            .setEditMask(QStringLiteral(">llllllllllllllllllll;0; "));
        ds->addField(QStringLiteral("Narozen"), FieldType::DateTime)
            .setDisplayFormat(QStringLiteral("ddd dd.mm.yyyy"));
        ds->addField(QStringLiteral("Pocet"), FieldType::Integer).setDisplayFormat(QStringLiteral("00"));
        ds->addField(QStringLiteral("Aktivni"), FieldType::Boolean).setDisplayValues(QStringLiteral("A;N"));
        ds->open();
        struct Person {
            const char *kod, *psc, *prijmeni;
            TDateTime narozen;
            int pocet;
            bool aktivni;
        };
        for (const Person& p : {Person{"01", "11000", "NOVAK", encodeDate(2000, 5, 12), 5, true},
                                Person{"02", "60200", "SVOBODA", encodeDate(1999, 1, 4), 12, false}}) {
            ds->append();
            field("Kod").setAsString(QLatin1String(p.kod));
            field("PSC").setAsString(QLatin1String(p.psc));
            field("Prijmeni").setAsString(QLatin1String(p.prijmeni));
            field("Narozen").setAsDateTime(p.narozen);
            field("Pocet").setAsInteger(p.pocet);
            field("Aktivni").setAsBoolean(p.aktivni);
            ds->post();
        }
        ds->first();
        source = std::make_unique<DataSource>(QStringLiteral("DSOsoba"), ds.get());
        edit = std::make_unique<DBEdit>();
        edit->setDataSource(source.get());
    }

    void cleanup() {
        edit.reset();
        source.reset();
        ds.reset();
        db.reset();
    }

    void browsingShowsTheDisplayTextAndTakesNoTyping_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("shown");
        QTest::newRow("date in its display format") << "Narozen" << QString::fromUtf8("pá 12.05.2000");
        QTest::newRow("number in its display format") << "Pocet"
                                                      << "05";
        QTest::newRow("boolean display values") << "Aktivni"
                                                << "A";
        QTest::newRow("text") << "Prijmeni"
                              << "NOVAK";
    }

    void browsingShowsTheDisplayTextAndTakesNoTyping() {
        QFETCH(QString, fieldName);
        QFETCH(QString, shown);
        edit->setDataField(fieldName);
        QCOMPARE(edit->text(), shown);
        QVERIFY(edit->isReadOnly());
        type(QStringLiteral("9"));
        QCOMPARE(edit->text(), shown);
        QCOMPARE(ds->state(), DatasetState::Browse); // the edit never starts editing by itself
        QVERIFY(!ds->isModified());
    }

    void followsTheCursorWithOneTextChangedPerChange() {
        bind("PSC");
        QSignalSpy changed(edit.get(), &QLineEdit::textChanged);
        ds->next();
        QCOMPARE(edit->text(), QStringLiteral("602 00"));
        QCOMPARE(changed.count(), 1);
        // Entering edit state puts the mask on; the text already shows the literal, nothing is written back.
        ds->edit();
        QCOMPARE(edit->shownText(), QStringLiteral("602 00"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!edit->isReadOnly());
        QVERIFY(!ds->isModified());
        ds->cancel();
        QCOMPARE(edit->text(), QStringLiteral("602 00"));
        QVERIFY(edit->isReadOnly());
        ds->close();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(changed.count(), 2);
    }

    void typingWhileEditingWritesTheFieldAtOnce() {
        bind("Prijmeni");
        ds->edit();
        QString seenByHandler;
        connect(edit.get(), &QLineEdit::textChanged, this,
                [&] { seenByHandler = field("Prijmeni").asString(); });
        type(QStringLiteral("kratochvil"));
        QCOMPARE(field("Prijmeni").asString(), QStringLiteral("KRATOCHVIL"));
        // Handlers of the edit's change already read the new value from the field.
        QCOMPARE(seenByHandler, QStringLiteral("KRATOCHVIL"));
        ds->post();
        QCOMPARE(stored("Prijmeni", 1), QStringLiteral("KRATOCHVIL"));
        QCOMPARE(edit->text(), QStringLiteral("KRATOCHVIL"));
        QVERIFY(edit->isReadOnly());
    }

    void masksShowAndStoreTheRightValues_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("shownWhenEditing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<QString>("value");
        QTest::newRow("99;1; full") << "Kod"
                                    << "01"
                                    << "42"
                                    << "42"
                                    << "42";
        QTest::newRow("99;1; one digit keeps the width") << "Kod"
                                                         << "01"
                                                         << "7"
                                                         << "7 "
                                                         << "7 ";
        QTest::newRow("999 99;0; full") << "PSC"
                                        << "110 00"
                                        << "60200"
                                        << "602 00"
                                        << "60200";
        QTest::newRow("999 99;0; part") << "PSC"
                                        << "110 00"
                                        << "123"
                                        << "123   "
                                        << "123";
        QTest::newRow("999 99;0; letters refused") << "PSC"
                                                   << "110 00"
                                                   << "1a2b3"
                                                   << "123   "
                                                   << "123";
        QTest::newRow("upper-case letters") << "Prijmeni"
                                            << "NOVAK               "
                                            << "dvorak"
                                            << "DVORAK              "
                                            << "DVORAK";
    }

    void masksShowAndStoreTheRightValues() {
        QFETCH(QString, fieldName);
        QFETCH(QString, shownWhenEditing);
        QFETCH(QString, typed);
        QFETCH(QString, shownAfter);
        QFETCH(QString, value);
        edit->setDataField(fieldName);
        ds->edit();
        QCOMPARE(edit->shownText(), shownWhenEditing);
        // Typing into a mask overwrites position by position; clear it first as a user would.
        edit->selectAll();
        QTest::keyClick(edit.get(), Qt::Key_Delete);
        edit->setCursorPosition(0);
        QTest::keyClicks(edit.get(), typed);
        QCOMPARE(edit->shownText(), shownAfter);
        QCOMPARE(ds->fieldByName(fieldName).asString(), value);
        ds->post();
        QCOMPARE(stored(fieldName.toLatin1().constData(), 1).trimmed(), value.trimmed());
    }

    void aProgramChangeIsShownAndNotWrittenBack() {
        bind("Kod");
        int changes = 0;
        field("Kod").onChange = [&](Field&) { ++changes; };
        QSignalSpy changed(edit.get(), &QLineEdit::textChanged);
        ds->edit();
        changed.clear();
        field("Kod").setAsString(QStringLiteral("5"));
        // The mask shows the short value with a blank; that text must not find its way back.
        QCOMPARE(edit->shownText(), QStringLiteral("5 "));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(field("Kod").asString(), QStringLiteral("5"));
        QCOMPARE(changes, 1);
    }

    void aHandlerReformattingTheValueDoesNotDisturbTyping() {
        bind("Kod");
        // Pads the code to two digits, as code fields do.
        field("Kod").onChange = [](Field& f) {
            const QString t = f.asString().trimmed();
            if (t.size() == 1)
                f.setAsString(QLatin1Char('0') + t);
        };
        ds->edit();
        edit->selectAll();
        QTest::keyClick(edit.get(), Qt::Key_Delete);
        edit->setCursorPosition(0);
        QTest::keyClicks(edit.get(), QStringLiteral("4"));
        QCOMPARE(field("Kod").asString(), QStringLiteral("04"));
        QCOMPARE(edit->shownText(), QStringLiteral("4 ")); // the user's typing stays, cursor after "4"
        QCOMPARE(edit->cursorPosition(), 1);
        QTest::keyClicks(edit.get(), QStringLiteral("2"));
        QCOMPARE(field("Kod").asString(), QStringLiteral("42"));
        ds->post();
        QCOMPARE(edit->text(), QStringLiteral("42"));
    }

    void anInvalidTextFailsThePostWithTheFieldsMessage() {
        bind("Narozen");
        ds->edit();
        QCOMPARE(edit->text(), QStringLiteral("12.05.2000"));
        type(QStringLiteral("31.02.2001"));
        QCOMPARE(field("Narozen").asDateTime(), encodeDate(2000, 5, 12)); // not a date: not written yet
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds->post());
        QCOMPARE(ds->state(), DatasetState::Edit);
        QCOMPARE(edit->text(), QStringLiteral("31.02.2001")); // the typed text stays for correcting
        type(QStringLiteral("1.3.2001"));
        ds->post();
        QCOMPARE(field("Narozen").asDateTime(), encodeDate(2001, 3, 1));
        QCOMPARE(edit->text(), QString::fromUtf8("čt 01.03.2001"));
    }

    void aReadOnlyFieldStaysReadOnlyWhileEditing() {
        bind("Pocet");
        field("Pocet").setReadOnly(true);
        ds->edit();
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->text(), QStringLiteral("05"));
        type(QStringLiteral("7"));
        QCOMPARE(field("Pocet").asInteger(), 5);
        QVERIFY(!ds->isModified());
    }

    void rebindsWhenTheSourceGetsAnotherDataset() {
        bind("Prijmeni");
        Dataset other(QStringLiteral("QJina"));
        other.setConnection(&db->connection());
        other.setSql(QStringLiteral("select * from Osoba where ID=2"));
        other.open();
        source->setDataset(&other);
        QCOMPARE(edit->text(), QStringLiteral("SVOBODA"));
        ds->next(); // the old dataset no longer drives the edit
        ds->first();
        QCOMPARE(edit->text(), QStringLiteral("SVOBODA"));
        source->setDataset(nullptr);
        QCOMPARE(edit->text(), QString());
        QVERIFY(edit->isReadOnly());
    }

    void checkBoxFollowsTheFieldAndChangesItOnlyWhileEditing() {
        DBCheckBox box;
        box.setDataSource(source.get());
        box.setDataField(QStringLiteral("Aktivni"));
        box.show();
        QVERIFY(box.isChecked());
        ds->next();
        QVERIFY(!box.isChecked());

        QTest::mouseClick(&box, Qt::LeftButton);
        QVERIFY(!box.isChecked()); // browsing: no change
        QCOMPARE(ds->state(), DatasetState::Browse);

        ds->edit();
        QTest::mouseClick(&box, Qt::LeftButton);
        QVERIFY(box.isChecked());
        QVERIFY(field("Aktivni").asBoolean());
        field("Aktivni").setAsBoolean(false); // the program's change shows
        QVERIFY(!box.isChecked());
        QTest::keyClick(&box, Qt::Key_Space);
        QVERIFY(box.isChecked());
        ds->post();
        QCOMPARE(db->scalar(QStringLiteral("select Aktivni from Osoba where ID=2")).toInt(), 1);

        field("Aktivni").setReadOnly(true);
        ds->edit();
        QTest::mouseClick(&box, Qt::LeftButton);
        QVERIFY(box.isChecked());
        QVERIFY(!ds->isModified());
    }
};

QTEST_MAIN(TestWidgetsEdit)
#include "tst_widgets_edit.moc"
