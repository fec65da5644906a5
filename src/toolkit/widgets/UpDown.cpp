#include "UpDown.h"

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(true); });
    connect(down_, &QToolButton::clicked, this, [this] { step(false); });
    resize(17, 26);
}

void TUpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    setPosition(position_);
}

void TUpDown::setPosition(int position) {
    position_ = qBound(minimum_, position, maximum_);
}

void TUpDown::step(bool up) {
    setPosition(position_ + (up ? 1 : -1));
    Q_EMIT clicked(up);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
