#include "platform/qt/Shell.h"

#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstring>

#include "platform/core/DataFolder.h"

namespace orv {

namespace {

ShellHook* g_shell = nullptr;
bool g_waitShown = false;
std::string g_folderOverride;
QSize g_screenOverride;
QRect g_areaOverride;

} // namespace

ShellHook::ShellHook() : m_previous(g_shell)
{
    g_shell = this;
}

ShellHook::~ShellHook()
{
    g_shell = m_previous;
}

void SetClipboardText(const std::u16string& text)
{
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->setText(QString::fromStdU16String(text));
}

std::u16string ClipboardText()
{
    QClipboard* cb = QGuiApplication::clipboard();
    return cb ? cb->text().toStdU16String() : std::u16string();
}

bool OpenUrl(const std::u16string& url)
{
    if (g_shell != nullptr) {
        g_shell->urls.push_back(url);
        return true;
    }
    return QDesktopServices::openUrl(QUrl(QString::fromStdU16String(url), QUrl::TolerantMode));
}

void SleepMs(int ms)
{
    if (g_shell != nullptr) {
        g_shell->sleeps.push_back(ms);
        return;
    }
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void SleepMsUntil(int ms, const std::function<bool()>& stop)
{
    if (g_shell != nullptr) {
        g_shell->sleeps.push_back(ms);
        return;
    }
    constexpr int kSliceMs = 50;
    for (int left = ms; left > 0 && !(stop && stop()); left -= kSliceMs)
        QThread::msleep(static_cast<unsigned long>(std::min(left, kSliceMs)));
}

void WaitMs(int ms)
{
    if (g_shell != nullptr) {
        g_shell->sleeps.push_back(ms);
        return;
    }
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ShowWaitCursor(bool on)
{
    if (on == g_waitShown)
        return;
    g_waitShown = on;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

bool WaitCursorShown()
{
    return g_waitShown;
}

std::string ProgramFolder()
{
    if (!g_folderOverride.empty())
        return g_folderOverride;
    return DataFolder();
}

void OverrideProgramFolder(const std::string& folder)
{
    g_folderOverride = folder;
    if (!g_folderOverride.empty() && g_folderOverride.back() != '/')
        g_folderOverride.push_back('/');
}

bool GetModuleDirA(char* buf, std::size_t cap)
{
    if (buf == nullptr || cap == 0)
        return false;
    std::string dir = ProgramFolder();
    if (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.size() + 1 > cap) {
        buf[0] = '\0';
        return false;
    }
    std::memcpy(buf, dir.c_str(), dir.size() + 1);
    return true;
}

ProgramVersionInfo ProgramVersion()
{
    ProgramVersionInfo v;
    const QStringList parts = QStringLiteral(ORVANTA_VERSION_TEXT).split(QLatin1Char('.'));
    int* fields[] = {&v.major, &v.minor, &v.patch, &v.build};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        *fields[i] = parts[i].toInt();
    return v;
}

QSize ScreenSize()
{
    if (g_screenOverride.isValid())
        return g_screenOverride;
    if (QScreen* s = QGuiApplication::primaryScreen())
        return s->size();
    return QSize(1024, 768);
}

void OverrideScreenSize(QSize size)
{
    g_screenOverride = size;
}

QRect ScreenArea()
{
    if (g_areaOverride.isValid())
        return g_areaOverride;
    if (g_screenOverride.isValid())
        return QRect(QPoint(0, 0), g_screenOverride);
    QScreen* s = QGuiApplication::screenAt(QCursor::pos());
    if (s == nullptr)
        s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

void OverrideScreenArea(QRect area)
{
    g_areaOverride = area;
}

} // namespace orv
