#pragma once

#include <QString>

namespace tk {

// The one way values enter SQL texts. sqlText gives a string literal, quotes included, that no character
// of the value can end; sqlInteger gives the value's digits, or NULL (which matches nothing) when the
// trimmed value is not a plain non-negative integer.
QString sqlText(const QString& value);
QString sqlInteger(const QString& value);
QString sqlInteger(long long value);

} // namespace tk
