// Booking a client as a receptionist does, from a fresh installation with one workplace and one client,
// by keystrokes and clicks alone. With KALENDO_SNIMKY set to a folder, the panel filled in while
// editing is saved there as detail.png.

#include "app/FoKLProgram.h"
#include "editing/EditingProgram.h"

#include <QDir>

using namespace kltest;
using N = tk::DBNavigator;

class TestObjednani : public QObject {
    Q_OBJECT

    static void klikni(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
    }

private Q_SLOTS:
    void initTestCase() { tktest::installTestEnvironment(); }

    void bookingAClientEndToEnd() {
        ProgramFolder folder;
        folder.createKalendo(1);
        {
            auto dm = openKalendo(folder);
            execKL(*dm, QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv) "
                                       "values ('00001','Vodoléčba a masáže',30,'00',1,1,0,0,0)"));
            execKL(*dm, QStringLiteral("insert into Pacienti (RC,Titul,Prijmeni,Jmeno) "
                                       "values ('8551011234','Ing.','NOVÁKOVÁ','Jana')"));
        }
        Program p(folder);
        QVERIFY(p.activate());
        p.givePassword(QString());
        TFoKL& w = p.w();
        QVERIFY(w.isUnlocked());
        TPanelVyberu& v = *w.GBObdobi;
        TPanelSeznamu& s = *w.PSeznam;
        TPanelDetailu& d = *w.GBDetail;

        // The workplace code, its name, the filter, "Vše".
        prepis(v.EdVObj, QStringLiteral("1"));
        opust(v.EdVObj);
        QCOMPARE(v.EdVObj->text(), QStringLiteral("00001"));
        QCOMPARE(v.LbVNazObj->text(), QStringLiteral("Vodoléčba a masáže"));
        klikni(v.ChBVObj);
        klikni(s.RBZVse);
        QVERIFY(v.RBVDen->isChecked());
        QCOMPARE(s.BbTiskNovy->text(), QStringLiteral("Nový D"));

        // Founding the day.
        QTest::mouseClick(s.BbTiskNovy, Qt::LeftButton);
        QCOMPARE(s.BbTiskNovy->text(), QStringLiteral("Tisk O"));
        tk::Dataset& q = *DmKL->QReserve;
        QVERIFY(q.recordCount() > 10);

        // A free slot: the 9:00 one, clicked in the list.
        int radek = -1;
        for (int i = 1; i <= q.recordCount(); ++i)
            if (q.rowDisplayText(i, *DmKL->QReserveVDatCasOd) == QStringLiteral("09:00") &&
                q.rowValue(i, *DmKL->QReserveJmenoPac).toString().trimmed().isEmpty())
                radek = i;
        QVERIFY(radek > 0);
        tk::DBGrid* grid = s.DBGridSeznam;
        grid->scrollTo(grid->model()->index(radek - 1, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(radek - 1, 2)).center());
        QCOMPARE(q.recNo(), radek);
        const int id = DmKL->QReserveIDRes->asInteger();

        // Edit, the birth number, the name, a step of the time, Post.
        QTest::mouseClick(s.Navigator->button(N::Edit), Qt::LeftButton);
        QVERIFY(q.isEditing());
        QVERIFY(s.LbBlok->isVisible());
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(), 1);
        QVERIFY(d.EdDRCP->hasFocus());
        QTest::keyClick(d.EdDRCP, Qt::Key_Home);
        QTest::keyClicks(d.EdDRCP, QStringLiteral("8551011234"));
        QCOMPARE(d.EdDJmPac->text(), QStringLiteral("NOVÁKOVÁ Jana Ing."));
        QTest::mouseClick(d.UpDwDoba->downButton(), Qt::LeftButton);
        QTest::mouseClick(d.UpDwMin->upButton(), Qt::LeftButton); // 9:01-9:30, inside the slot
        QCOMPARE(d.EdDCasDo->text(), QStringLiteral("09:30"));

        if (const QByteArray slozka = qgetenv("KALENDO_SNIMKY"); !slozka.isEmpty()) {
            QDir().mkpath(QString::fromLocal8Bit(slozka));
            QVERIFY(w.grab().save(QString::fromLocal8Bit(slozka) + QStringLiteral("/detail.png")));
        }

        QTest::mouseClick(s.Navigator->button(N::Post), Qt::LeftButton);
        QVERIFY(!q.isEditing());
        QCOMPARE(DmKL->QReserveIDRes->asInteger(), id); // the posted row stays current
        QVERIFY(!s.LbBlok->isVisible());
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(), 0);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select RCPacienta from Reserve where IDRes=%1").arg(id))
                     .toString()
                     .trimmed(),
                 QStringLiteral("8551011234"));
        QCOMPARE(
            scalarKL(*DmKL, QStringLiteral("select JmenoPac from Reserve where IDRes=%1").arg(id)).toString(),
            QStringLiteral("NOVÁKOVÁ Jana Ing."));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Doba from Reserve where IDRes=%1").arg(id)).toInt(),
                 29);
    }
};

QTEST_MAIN(TestObjednani)
#include "tst_objednani.moc"
