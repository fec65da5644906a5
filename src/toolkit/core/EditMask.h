#pragma once

#include <QList>
#include <QString>

namespace tk {

// An edit mask "body;stored;blank": in the body "9" is an optional digit, "0" a required digit, "l" an
// optional letter, "L" a required letter, "a" an optional letter or digit, "A" a required one, ">" makes
// the following letters upper case, "<" lower case, "<>" ends the case change, "\" takes the next
// character literally; every other character is a literal. The stored part says whether literals are
// stored with the value (1) or not (0); the blank is the character shown for an empty position.
class EditMask {
public:
    EditMask() = default;
    explicit EditMask(const QString& mask);

    bool isEmpty() const { return body_.isEmpty(); }
    QString mask() const { return mask_; }
    bool storesLiterals() const { return storeLiterals_; }
    QChar blank() const { return blank_; }
    int positions() const; // number of input and literal positions

    // The Qt input mask with the same meaning, for a QLineEdit.
    QString qtInputMask() const;
    // The text shown for a stored value: positions filled from the value, literals inserted, empty
    // positions shown with the blank, case rules applied.
    QString display(const QString& stored) const;
    // The value stored for a shown text (literals dropped unless stored, blanks of empty positions kept as
    // blanks).
    QString value(const QString& shown) const;

private:
    struct Slot {
        bool literal;
        QChar ch;     // the literal, or the mask character
        int caseMode; // 0 none, 1 upper, -1 lower
    };
    QString mask_;
    QString body_;
    bool storeLiterals_ = true;
    QChar blank_ = QLatin1Char('_');
    QList<Slot> slots_;
};

} // namespace tk
