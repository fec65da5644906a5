#pragma once

#include <QString>

// Checks and normalisation of codes and birth numbers typed by users.

// The text with every blank (space character) removed; other characters keep their order.
QString BezMezer(const QString& text);

// A code of `width` digits with leading zeros: blanks are removed and the rest is filled from the left
// with "0" up to the width. A stripped value that is already as long as the width (or longer) comes back
// unchanged; a value of only blanks becomes all zeros.
QString DoplnNulami(const QString& text, int width);
