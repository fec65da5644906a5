#pragma once

#include <QLabel>
#include <QWidget>

// The small red window shown while a database connection is being opened.
class TFoCekat : public QWidget {
    Q_OBJECT
public:
    explicit TFoCekat(QWidget* parent = nullptr);

    QLabel* LbCekat;
};

// At most one wait window exists; it is created on demand and freed after each connecting attempt.
extern TFoCekat* FoCekat;
