#include "skin/PictureFile.h"

#include <QFile>
#include <QImage>

namespace orv {

namespace {
// No skin picture comes near this; a bigger file is refused before reading.
constexpr qint64 kMaxPictureBytes = 64LL << 20;
} // namespace

QPixmap LoadPictureFile(const std::string& path)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size <= 0 || size > kMaxPictureBytes)
        return {};
    const QByteArray bytes = file.readAll();
    file.close();
    QImage image;
    if (!image.loadFromData(bytes))
        return {};
    return QPixmap::fromImage(image);
}

} // namespace orv
