#pragma once

#include <QString>

// What the page header shows besides the search term: the database and the search
// window's two options, read when the page is written.
struct ResultPageHeader {
    QString databaseName;
    bool matchCase = false;  // GrossKleinBeachten
    bool wholeWords = false; // NurGanzeWoerterCheckBox
};
