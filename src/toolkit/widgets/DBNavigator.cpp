#include "DBNavigator.h"

#include "toolkit/core/Dialogs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tk {

namespace {

constexpr int kButtonWidth = 25;
constexpr int kButtonHeight = 25;
constexpr int kIconSize = 16;

const char* const kNames[DBNavigator::ButtonCount] = {"First",  "Prior", "Next", "Last",   "Insert",
                                                      "Delete", "Edit",  "Post", "Cancel", "Refresh"};

QPolygonF triangle(double left, double right, bool pointsLeft) {
    const double tip = pointsLeft ? left : right;
    const double base = pointsLeft ? right : left;
    return QPolygonF({QPointF(base, 3), QPointF(tip, 8), QPointF(base, 13)});
}

// Small drawn icons, so the navigator looks the same whatever fonts the machine has.
QIcon makeIcon(DBNavigator::Button which) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(32, 32, 96);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (which) {
    case DBNavigator::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        p.drawPolygon(triangle(5, 12, true));
        break;
    case DBNavigator::Prior:
        p.drawPolygon(triangle(4, 11, true));
        break;
    case DBNavigator::Next:
        p.drawPolygon(triangle(5, 12, false));
        break;
    case DBNavigator::Last:
        p.drawPolygon(triangle(4, 11, false));
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case DBNavigator::Insert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Delete:
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Edit:
        p.drawPolygon(QPolygonF({QPointF(3, 11), QPointF(8, 4), QPointF(13, 11)}));
        break;
    case DBNavigator::Post:
        p.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
        break;
    case DBNavigator::Cancel:
        p.setPen(QPen(QColor(176, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DBNavigator::Refresh: {
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(9, 1), QPointF(13, 4), QPointF(9, 6)}));
        break;
    }
    default:
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < ButtonCount; ++i) {
        const auto which = Button(i);
        auto* b = new QToolButton(this);
        b->setIcon(makeIcon(which));
        b->setIconSize(QSize(kIconSize, kIconSize));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus); // a click leaves the focus (and a pending edit) where it is
        connect(b, &QToolButton::clicked, this, [this, which] { click(which); });
        buttons_[i] = b;
        visible_[i] = true;
    }
    nameButtons();
    connect(this, &QObject::objectNameChanged, this, &DBNavigator::nameButtons);
    updateButtons();
}

QString DBNavigator::buttonName(Button which) {
    return which >= 0 && which < ButtonCount ? QString::fromLatin1(kNames[which]) : QString();
}

void DBNavigator::nameButtons() {
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->setObjectName(objectName() + QLatin1Char('_') + buttonName(Button(i)));
}

void DBNavigator::setDataSource(DataSource* source) {
    followDataSource(this, source_, source, &DBNavigator::rebind);
}

void DBNavigator::rebind() {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    if (dataset_) {
        connections_ << connect(dataset_, &Dataset::stateChanged, this, &DBNavigator::updateButtons);
        connections_ << connect(dataset_, &Dataset::rowsChanged, this, &DBNavigator::updateButtons);
        connections_ << connect(dataset_, &Dataset::currentChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::setVisibleButtons(std::initializer_list<Button> buttons) {
    setVisibleButtons(QList<Button>(buttons));
}

void DBNavigator::setVisibleButtons(const QList<Button>& buttons) {
    for (int i = 0; i < ButtonCount; ++i)
        visible_[i] = buttons.contains(Button(i));
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->setVisible(visible_[i]);
    layoutButtons();
    updateGeometry();
}

QList<DBNavigator::Button> DBNavigator::visibleButtons() const {
    QList<Button> out;
    for (int i = 0; i < ButtonCount; ++i)
        if (visible_[i])
            out << Button(i);
    return out;
}

void DBNavigator::setHints(const QStringList& hints) {
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->setToolTip(i < hints.size() ? hints[i] : QString());
}

QSize DBNavigator::sizeHint() const {
    return QSize(kButtonWidth * std::max<int>(1, visibleButtons().size()), kButtonHeight);
}

QSize DBNavigator::minimumSizeHint() const {
    return QSize(0, 0);
}

void DBNavigator::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void DBNavigator::layoutButtons() {
    // Every shown button gets the same share of the width, side by side from the left.
    const QList<Button> shown = visibleButtons();
    const int count = int(shown.size());
    if (count == 0)
        return;
    const int each = width() / count;
    for (int i = 0; i < count; ++i)
        buttons_[shown[i]]->setGeometry(i * each, 0, each, height());
}

void DBNavigator::updateButtons() {
    const bool active = dataset_ && dataset_->isActive();
    const bool editing = active && dataset_->isEditing();
    const bool browsing = active && !editing;
    const bool empty = !active || dataset_->isEmpty();
    const bool writable = active && !(dataset_->connection() && dataset_->connection()->readOnly());
    std::array<bool, ButtonCount> on{};
    on[First] = on[Prior] = active && !dataset_->bof();
    on[Next] = on[Last] = active && !dataset_->eof();
    on[Insert] = browsing && writable;
    on[Delete] = browsing && writable && !empty;
    on[Edit] = browsing && writable && !empty;
    on[Refresh] = browsing;
    on[Post] = on[Cancel] = editing;
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->setEnabled(on[i]);
}

void DBNavigator::click(Button which) {
    if (which < 0 || which >= ButtonCount || !visible_[which] || !buttons_[which]->isEnabled())
        return;
    perform(which);
}

void DBNavigator::perform(Button which) {
    QPointer<DBNavigator> self(this);
    QPointer<Dataset> ds = dataset_;
    if (!ds)
        return;
    guard([&] {
        switch (which) {
        case First:
            ds->first();
            break;
        case Prior:
            ds->prior();
            break;
        case Next:
            ds->next();
            break;
        case Last:
            ds->last();
            break;
        case Insert:
            ds->insert();
            break;
        case Delete:
            if (!dialogs().question(QStringLiteral("Delete record?"), false))
                return; // answered No: nothing happened, so nobody is told
            ds->deleteRecord();
            break;
        case Edit:
            ds->edit();
            break;
        case Post:
            ds->post();
            break;
        case Cancel:
            ds->cancel();
            break;
        case Refresh:
            ds->requery();
            break;
        default:
            return;
        }
        if (self && onClick)
            onClick(which);
    });
    if (self)
        updateButtons();
}

} // namespace tk
