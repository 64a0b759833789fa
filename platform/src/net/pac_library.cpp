#include "pac_library.h"

#include "sibling_library.h"

namespace platform::net {

PacEvaluateFunction PacEvaluator() {
  static const PacEvaluateFunction evaluator =
      reinterpret_cast<PacEvaluateFunction>(SiblingLibrarySymbol(kPacLibraryFile, kPacEvaluateSymbol));
  return evaluator;
}

}  // namespace platform::net
