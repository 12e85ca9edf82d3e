#pragma once

#include <QString>

// What the page header shows besides the search term: the database, the search window's
// two options, read when the page is written, and whether the search was cancelled.
struct ResultPageHeader {
    QString databaseName;
    bool matchCase = false;  // GrossKleinBeachten
    bool wholeWords = false; // NurGanzeWoerterCheckBox
    bool cancelled = false;  // the pages hold what was found until the cancel
};
