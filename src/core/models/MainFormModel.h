#pragma once

#include "common/UserInterface.h"
#include "models/SettingsWindowModel.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"
#include "store/Settings.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// A stored window size as a window can take it: at most the screen's available size, at
// least the window's minimum. A hand-edited or foreign setting may hold any number.
QSize fitWindowSize(QSize stored, QSize minimum, QSize available);

// The main window's state and start-up, selection and close logic, without a window: the
// window shows what this decides and forwards its events here.
class MainFormModel {
public:
    MainFormModel(settings::SettingsStore store, UserInterface& ui);

    // Window creation: first-start defaults, default width, base folder, folder tree,
    // control folder and the stored window sizes.
    void create(bool hasArguments, const QString& nativeWorkingFolder,
                const QString& nativeProgramFolder, int screenWidth);

    const DatabasePaths& paths() const { return m_paths; }
    bool baseFolderFound() const { return !m_paths.baseFolder().isEmpty(); }
    const QString& controlFolder() const { return m_controlFolder; }
    QSize mainWindowSize() const { return m_mainSize; }
    QSize searchWindowSize() const { return m_searchSize; }
    // The standard sizes restored in the settings window.
    void setSearchWindowSize(QSize size) { m_searchSize = size; }

    // The first painting: keeps the viewer's font size and the browser (missing: "standard",
    // written), lists the databases and picks the stored entry (outside the list: 0).
    catalogue::Listing listAtFirstPaint();
    // The viewer's font size in points as read at the first painting (outside 6 to 72: 10);
    // the window hands in the search window's size before closing.
    int viewerFontSize() const { return m_viewerFontSize; }
    void setViewerFontSize(int points) { m_viewerFontSize = points; }
    QStringList relist();
    // The list at the end of a run: an update keeps the stored entry, a new database is
    // selected by its name.
    catalogue::Listing listAfterRun(bool updateMode, const QString& newDatabaseName);
    // The dialog fields of a re-index: folder and extension part of the descriptor's header
    // (upper case), empty when it has none; and whether the database has documents.
    struct UpdateFields {
        QString folder;
        QString extensions;
        bool withDocuments = true;
    };
    UpdateFields updateFields(const QString& name) const;

    // "  Nimbra-Doviruzu -  Die Suchmaschine für Doviruzu-Dokumente." or the administrator text.
    static QString caption(bool administrator);

    // Selecting a database (a click on the list): stores the index, decides whether only
    // the path list is left.
    void selectDatabase(int index, const QString& name);
    int selectedIndex() const { return m_selectedIndex; }
    QString selectedName() const { return m_selected ? m_selected->name() : QString(); }
    bool pathListOnly() const { return m_pathListOnly; }

    // Captions of the two pop-up items and whether the second is enabled.
    QString deleteItemCaption() const;
    bool deleteDocumentsItemEnabled() const { return !m_pathListOnly; }
    static QString deleteDocumentsItemCaption();

    // Asks, then deletes; true when the user said Yes.
    bool deleteSelectedDatabase();
    bool deleteSelectedDocuments();

    // Closing: stores the selection and the window sizes, empties Datenbank\Temp.
    void close(int selectedIndex, int entryCount, QSize mainSize);

private:
    QString storedSelection() const;
    QString storedNumberText(const QString& name) const;
    QSize readSize(const QString& heightName, const QString& widthName);

    settings::SettingsStore m_store;
    UserInterface& m_ui;
    DatabasePaths m_paths{QString()};
    QString m_controlFolder;
    QSize m_mainSize;
    QSize m_searchSize;
    int m_viewerFontSize = SettingsWindowModel::kStandardFontSize;
    int m_selectedIndex = -1;
    std::optional<Database> m_selected;
    bool m_pathListOnly = false;
};
