#pragma once

// Small helpers for laying out windows: standard colours, fonts by pixel height, palettes, object names,
// widths measured in the control's own font, and the small integer state kept on a control ("Tag").

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QObject>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace tk {

inline const QColor kSkyBlue(166, 202, 240);
inline const QColor kLime(0, 255, 0);
inline const QColor kAqua(0, 255, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kGradientInactiveCaption(215, 228, 242);

inline QFont tahoma(int pixels, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

inline void setBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

// The colour of the text typed into an edit.
inline void setEditTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The width a control needs for `sample` in its own font, but at least the design width: the design
// widths were made for a narrower face than the one that may stand in for it.
inline int widthFor(const QWidget* widget, const QString& sample, int designWidth, int padding = 10) {
    return std::max(designWidth, widget->fontMetrics().horizontalAdvance(sample) + padding);
}

// The width a radio button or check box needs for its caption: the indicator, the spacing and the text.
inline int captionWidth(const QAbstractButton* button, const QString& caption) {
    const QStyle* style = button->style();
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    const int indicator = style->pixelMetric(
        radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, button);
    const int spacing = style->pixelMetric(
        radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    return indicator + spacing + button->fontMetrics().horizontalAdvance(caption) + 2;
}
inline int captionWidth(const QAbstractButton* button) {
    return captionWidth(button, button->text());
}

// Small integer states kept on the controls themselves (a field's pick mark, a button's mode), as the
// dynamic property "Tag".
inline int tagOf(const QObject* object) {
    return object->property("Tag").toInt();
}
inline void setTag(QObject* object, int tag) {
    object->setProperty("Tag", tag);
}

} // namespace tk
