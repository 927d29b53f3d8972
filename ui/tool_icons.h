#pragma once
// The 31 x 31 pictures of the "Signal" tab's tool buttons, drawn in code:
// box zoom, horizontal zoom, vertical zoom, show whole, pan.

#include <QIcon>

namespace vorenta {

// `tool` is 1 .. 5 in the tool bar's order; other values give an empty icon.
QIcon SignalToolIcon(int tool);

}  // namespace vorenta
