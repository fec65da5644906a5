#pragma once

#include <QLabel>

namespace tk {

// A one-line label that keeps its whole text (text() is what was set) but, when the text does not fit
// its width, shows it cut with an ellipsis and gives the whole text as its tooltip: a long name is never
// cut mid-letter at the edge of its box.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // The text as painted.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace tk
