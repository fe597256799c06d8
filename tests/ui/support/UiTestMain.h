#pragma once
// main() for GUI tests: one QApplication for the whole run (offscreen
// platform), and after every test a check that no top-level window was left
// behind. Include from exactly one file per test program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>

namespace orv::test {

inline bool& LeakedWindows()
{
    static bool leaked = false;
    return leaked;
}

// Top-level windows still alive (deferred deletions done first).
inline QWidgetList LiveTopLevelWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidgetList live;
    for (QWidget* w : QApplication::topLevelWidgets())
        // Tooltips and popups belong to Qt and live for the whole run.
        if (!w->inherits("QTipLabel") && !(w->windowFlags() & Qt::Popup) && !w->inherits("QComboBoxPrivateContainer"))
            live << w;
    return live;
}

class LeakListener : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        const QWidgetList live = LiveTopLevelWindows();
        if (live.isEmpty())
            return;
        LeakedWindows() = true;
        for (QWidget* w : live) {
            std::fprintf(stderr, "LEAK: top-level window %s left by %s.%s\n", w->metaObject()->className(),
                         info.test_suite_name(), info.name());
            delete w;
        }
    }
};

} // namespace orv::test

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                      : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new orv::test::LeakListener);
    const int rc = RUN_ALL_TESTS();
    if (orv::test::LeakedWindows()) {
        std::fprintf(stderr, "FAILED: top-level windows leaked (see LEAK lines)\n");
        return 1;
    }
    return rc;
}
