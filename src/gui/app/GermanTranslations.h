#pragma once

#include <QCoreApplication>

// Qt's own German texts for its standard dialogs (file chooser, colour dialog, message box
// buttons), from the system's Qt translations. Without them installed Qt's English stays.
// True when they were loaded.
bool installGermanQtTranslations(QCoreApplication& app);
