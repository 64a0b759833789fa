// The settings library's free text functions. They work on 8-bit text, never fail
// loudly and read nothing past the text they are given; a null text reads as empty.
#pragma once

#include "afxcoll.h"
#include "afxstr.h"

// Splits `text` at `separator` (0 means ';') into `out`. One enclosing double quote is
// stripped from each end of an item; separators inside quotes are not protected. Two
// separators in a row give an empty item, a separator at the end no trailing item.
// Returns the number of items.
int QRMT_ParseString(const char* text, CStringArray& out, char separator);

// Joins the first `count` items (negative: all) with `separator` (0 means ';').
// Returns the length of `out`.
int QRMT_CompactArray(CStringArray& items, CString& out, char separator, int count);

// Cuts `text` at its first `separator`; without one, `left` is the whole text.
// Both parts are trimmed of white space.
void QRMT_SplitString(char separator, CString text, CString& left, CString& right);

// Appends the relative path to the base, step by step: "." is skipped, ".." removes the
// last folder collected (never the root of an absolute path). Returns the length of `out`.
int QRMT_AppendPath(const char* base, const char* relative, CString& out);

// Removes blanks and tabs, and only these, from both ends.
void QRMT_trim(CString& text);

// Reads a decimal number with a comma or the user's decimal separator as its decimal
// point, whatever the process's locale. Returns 0 (out untouched) only when the user's
// separator cannot be read.
int QRMT_StringToDouble(CString text, double& out);

// Prints `value` with 2 decimals (mode 1: 1, mode 3: 3, mode 4: 6) and a dot when
// `dotFlag` is set, else the user's decimal separator. |value| < 0.005 prints as 0.
// Returns 1.
int QRMT_DoubleToString(double value, CString& out, int mode, int dotFlag);

// A duration in minutes printed with `format`: with `split`, as hours and minutes
// (two int conversions), else as hundredths of an hour (one int conversion).
// Empty when minutes <= 0, unless `zero` is set.
void QRMT_FormatHeureFromMinutes(LONG minutes, CString& out, CString format, int split, int zero);

// A duration in hundredths of an hour printed with `format`: with `split`, as hours and
// minutes rounded to the nearest minute, else as the value itself (int conversions).
// Empty when the value <= 0, unless `zero` is set.
void QRMT_FormatHeureFromCentiheures(LONG hundredths, CString& out, CString format, int split, int zero);
