#pragma once
// Another X11 client on the test's display, played by a small python3-xlib
// script from tests/x11/probes: it runs as a separate process while the test
// keeps the program's event loop running, as a desktop would. Only for tests
// run through tests/x11.sh (DISPLAY names the private Xvfb server).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <string>

namespace orvtest {

class X11Probe {
public:
    // Starts tests/x11/probes/<script> with `args`.
    void Start(const char* script, const QStringList& args = {})
    {
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(QStringLiteral("/usr/bin/python3"),
            QStringList{QStringLiteral(ORVANTA_SOURCE_DIR "/tests/x11/probes/") + QLatin1String(script)} + args);
    }
    // Lets the event loop run until the probe has ended (false after
    // `timeoutMs`).
    bool Wait(int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        while (m_process.state() != QProcess::NotRunning) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            m_process.waitForFinished(5);
        }
        return true;
    }
    bool Finished() const { return m_process.state() == QProcess::NotRunning; }
    std::string Output() { return m_process.readAllStandardOutput().trimmed().toStdString(); }
    std::string Errors() { return m_process.readAllStandardError().toStdString(); }

private:
    QProcess m_process;
};

} // namespace orvtest
