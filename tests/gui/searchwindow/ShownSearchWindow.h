#pragma once

#include "searchwindow/TSuchForm.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace searchwindowtest {

// The search window over database "DB", shown and painted once, as the main window shows it.
inline std::unique_ptr<TSuchForm> showSearchWindow(const DatabasePaths& paths, UserInterface& ui,
                                                   BrowserLauncher& launcher,
                                                   bool pathListOnly = false)
{
    auto form = std::make_unique<TSuchForm>(paths, ui);
    form->setBrowserLauncher(&launcher);
    form->prepare(QStringLiteral("DB"), pathListOnly, QSize(1100, 620));
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->repaint();
    return form;
}

} // namespace searchwindowtest
