#include "FoCekat.h"

#include <QFont>
#include <QPalette>
#include <QVBoxLayout>

TFoCekat* FoCekat = nullptr;

TFoCekat::TFoCekat(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FoCekat"));
    setWindowTitle(QStringLiteral("Probíhá připojení k SQL Serveru"));
    setFixedSize(277, 23);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 0));
    setPalette(pal);
    setAutoFillBackground(true);

    LbCekat = new QLabel(QStringLiteral("Čekejte prosím"), this);
    LbCekat->setObjectName(QStringLiteral("LbCekat"));
    QFont font = LbCekat->font();
    font.setBold(true);
    font.setPixelSize(16);
    LbCekat->setFont(font);
    LbCekat->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LbCekat);
}
