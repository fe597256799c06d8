#pragma once
// Picture files of the skin. The format is recognised from the file's
// contents: BMP, JPEG, GIF, ICO and PNG (and the other formats Qt reads).
// WMF cannot be read by Qt 6.4 and counts as a picture that failed to load.
#include <QPixmap>

#include <string>

namespace orv {

// A null pixmap when the file is missing, empty, too large or unreadable.
QPixmap LoadPictureFile(const std::string& path);

} // namespace orv
