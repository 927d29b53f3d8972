#pragma once
// The method list's items mapped to their engine calls: one call per item.

#include <string_view>

#include "spectrum/spectrum_run.h"

namespace vorenta {

// The engine call of method-list item `itemIndex` (method_parameters.h:
// kMethodListItems, 0 "Periodogram" .. 8 "EV"). An index outside 0 .. 8 is
// treated like "Simplex", as the method list does.
SpectrumRunFunction SpectrumMethodRun(int itemIndex);

// The engine call of the item spelled `name` (case-insensitive), nullptr for
// a name that is no item.
SpectrumRunFunction SpectrumMethodRun(std::string_view name);

}  // namespace vorenta
