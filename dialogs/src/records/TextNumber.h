#pragma once

#include "pixorama/common/CString.h"

// Numbers read from value texts the way the dialogs always read them: the
// leading number after optional blanks and sign, and 0 when there is none.
namespace parlet {

// Decimal digits only; saturates at the int range.
int LeadingInt(const CString& text);
// A decimal number with optional fraction and exponent; "inf", "nan" and
// hexadecimal forms read as 0, and values beyond float saturate at its
// largest finite value, so no reader ever sees a non-finite parameter.
float LeadingFloat(const CString& text);
// "%d".
CString IntText(int value);

} // namespace parlet
