#pragma once
#include <QColor>

// The UI's colours, which every painter draws in.
namespace art {

inline const QColor kGray0("#1a1a1a"), kGray1("#3c3c3c"), kGray2("#969696"), kGray3("#d1d1d1");
inline const QColor kBlue("#09347f"), kOrange("#ea5413");

} // namespace art
