#pragma once
// A skin written by the test into a temporary program folder: the settings
// file, pictures with a known pixel pattern, and the platform pointed at it
// (program folder and a 1024 x 768 screen) for the fixture's lifetime.
#include "platform/qt/Shell.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>

namespace orv::test {

// Pixel colour of the pattern pictures: every pixel differs from its
// neighbours, so a shifted or scaled copy is caught.
inline QColor PatternColor(int x, int y, int tint)
{
    return QColor((x * 7) % 256, (y * 5) % 256, tint);
}

class TempSkin {
public:
    TempSkin()
    {
        OverrideProgramFolder(Folder());
        OverrideScreenSize(QSize(1024, 768));
        QDir(m_dir.path()).mkpath(QStringLiteral("Image"));
    }
    ~TempSkin()
    {
        OverrideProgramFolder("");
        OverrideScreenSize(QSize());
    }
    TempSkin(const TempSkin&) = delete;
    TempSkin& operator=(const TempSkin&) = delete;

    std::string Folder() const { return m_dir.path().toStdString() + "/"; }
    QString Path(const QString& rel) const { return m_dir.path() + QLatin1Char('/') + rel; }

    void WriteIni(const std::string& text) const { WriteFile(QStringLiteral("Orvanta.ini"), QByteArray::fromStdString(text)); }
    void WriteFile(const QString& rel, const QByteArray& bytes) const
    {
        QFile f(Path(rel));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    // A pattern picture of w x h in `rel` (format from the extension).
    void WritePicture(const QString& rel, int w, int h, int tint = 77) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixelColor(x, y, PatternColor(x, y, tint));
        img.save(Path(rel));
    }

private:
    QTemporaryDir m_dir;
};

} // namespace orv::test
