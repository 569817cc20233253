#pragma once
// Reading numbers out of text the way the classic C runtime does: decimal
// only (no hexadecimal, no "inf" or "nan", which newer runtimes accept).

// Scans blanks, then a decimal number with optional sign, fraction and
// exponent. Returns the position after the number, or `text` itself when
// no number starts there (and `value` is then left alone).
const char* ScanDecimalNumber(const char* text, double& value);

// The leading decimal number of a text, 0 when there is none (atof).
double LeadingDouble(const char* text);
// The leading decimal integer of a text, 0 when there is none (atoi);
// values beyond the int range are clamped.
int LeadingInt(const char* text);
