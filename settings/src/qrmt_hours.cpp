#include <cmath>

#include "qrmt_text.h"

// The formats are the suite's own texts with int conversions (a Windows long is an int).

void QRMT_FormatHeureFromMinutes(LONG minutes, CString& out, CString format, int split, int zero) {
  out.Empty();
  if (minutes <= 0 && !zero) return;
  if (split) {
    short hours = static_cast<short>(minutes / 60);
    short rest = static_cast<short>(minutes % 60);
    out.Format(format, hours, rest);
  } else {
    out.Format(format, static_cast<int>(static_cast<int64_t>(minutes) * 100 / 60));
  }
}

void QRMT_FormatHeureFromCentiheures(LONG hundredths, CString& out, CString format, int split, int zero) {
  out.Empty();
  if (hundredths <= 0 && !zero) return;
  if (split) {
    int hours = hundredths / 100;
    int minutes = static_cast<int>(std::lround((hundredths - hours * 100) * 3 / 5.0));
    out.Format(format, hours, minutes);
  } else {
    out.Format(format, static_cast<int>(hundredths));
  }
}
