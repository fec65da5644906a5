#pragma once

#include <QToolButton>
#include <QWidget>

// An up-down spinner: two small arrow buttons, one above the other. Its position is kept within the range
// but carries no meaning for the windows; they only react to the direction of a click.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setPosition(int position);
    int position() const { return position_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

Q_SIGNALS:
    // After every click of either arrow; up is true for the upper arrow.
    void clicked(bool up);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(bool up);
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0, maximum_ = 100, position_ = 0;
};
