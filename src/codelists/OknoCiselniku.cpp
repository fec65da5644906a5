#include "OknoCiselniku.h"

#include "data/DmKL.h"

void pripravOkno(QWidget* okno, const char* jmeno, const QString& titulek) {
    okno->setObjectName(QString::fromLatin1(jmeno));
    okno->setWindowTitle(titulek);
    okno->setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    okno->setFont(font);
}

bool navigatorKlientu(tk::DBNavigator* navigator) {
    using N = tk::DBNavigator;
    if (DmKL->KlientiZKinema()) {
        navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Refresh});
        return false;
    }
    navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Insert, N::Delete, N::Edit,
                                  N::Post, N::Cancel, N::Refresh});
    navigator->setFixedWidth(300);
    return true;
}
