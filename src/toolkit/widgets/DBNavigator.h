#pragma once

#include "toolkit/core/DataSource.h"

#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

namespace tk {

// The record navigator: up to ten buttons that drive one dataset. Each window chooses which buttons are
// shown and their hints; the shown buttons share the navigator's width equally. Buttons are enabled by the
// dataset's state and position. Delete asks "Delete record?" first.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit DBNavigator(QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }

    void setVisibleButtons(std::initializer_list<Button> buttons);
    void setVisibleButtons(const QList<Button>& buttons);
    QList<Button> visibleButtons() const;
    void setHints(const QStringList& hints); // in button order, all ten
    QToolButton* button(Button which) const { return buttons_[which]; }
    static QString buttonName(Button which); // "First", "Prior", ...

    // Performs a button's action as a click would (hidden or disabled buttons do nothing).
    void click(Button which);

    // Runs after a button's action succeeded (a refused action does not call it).
    std::function<void(Button)> onClick;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebind();
    void updateButtons();
    void layoutButtons();
    void nameButtons();
    void perform(Button which);
    QPointer<DataSource> source_;
    QPointer<Dataset> dataset_;
    std::array<QToolButton*, ButtonCount> buttons_{};
    std::array<bool, ButtonCount> visible_{};
    QList<QMetaObject::Connection> connections_;
};

} // namespace tk
