#pragma once

#include <QString>

// Checks and normalisation of codes and birth numbers typed by users.

// The text with every blank (space character) removed; other characters keep their order.
QString BezMezer(const QString& text);

// A code of `width` digits with leading zeros: blanks are removed and the rest is filled from the left
// with "0" up to the width. A stripped value that is already as long as the width (or longer) comes back
// unchanged; a value of only blanks becomes all zeros.
QString DoplnNulami(const QString& text, int width);

// Checks a birth number as typed (blanks ignored). An empty text, and a text that is not a whole number
// ("Toto není tvar RČ" is shown whatever `Show` says), leave `Error` untouched; otherwise `Error` tells
// whether the number is wrong, and `Show` lets a wrong one be reported with "Chybné RČ". Numbers of 1 to 4
// digits are client identifiers and pass.
void KontrolaRC(const QString& Text, bool Show, bool& Error);
