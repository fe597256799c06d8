#pragma once
// Pictures of the wizard's real pages: each page class built as the program
// builds it, handed example data the way the host hands over its own, and
// grabbed offscreen. No camera is asked anything and no search is sent.
#include <QString>

namespace orv::skinshot {

// Writes outDir/page-<name>.png for every page (or for the names in `only`,
// e.g. "list", "wps-pin"); prints each file written. Returns the number of
// pages that could not be made or written.
int RenderRealPages(const QString& outDir, const QStringList& only);

// The picture names, in the order of the wizard's flow.
QStringList RealPageNames();

} // namespace orv::skinshot
