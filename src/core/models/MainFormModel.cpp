#include "models/MainFormModel.h"

#include "store/Descriptor.h"

MainFormModel::MainFormModel(settings::SettingsStore store, UserInterface& ui)
    : m_store(std::move(store)), m_ui(ui)
{
}

void MainFormModel::create(bool hasArguments, const QString& nativeWorkingFolder,
                           const QString& nativeProgramFolder, int screenWidth)
{
    m_store.writeFirstStartDefaultsIfNeeded();
    m_store.applyScreenWidth(screenWidth);

    m_paths = DatabasePaths(
        DatabasePaths::determineBaseFolder(hasArguments, nativeWorkingFolder, nativeProgramFolder));
    if (!baseFolderFound()) {
        m_ui.warning(
            QStringLiteral("Der Ordner %1 liegt auf keinem zugeordneten Laufwerk (NIMBRA_DRIVES).")
                .arg(hasArguments ? nativeProgramFolder : nativeWorkingFolder));
        return;
    }
    catalogue::ensureFolderTree(m_paths, m_ui);

    m_controlFolder = m_store.controlFolderFor(m_paths.baseFolder());

    m_mainSize = readSize(settings::kHeight, settings::kWidth);
    m_searchSize = readSize(settings::kSearchHeight, settings::kSearchWidth);
}

QSize fitWindowSize(QSize stored, QSize minimum, QSize available)
{
    if (available.isValid())
        stored = stored.boundedTo(available);
    return stored.expandedTo(minimum);
}

QSize MainFormModel::readSize(const QString& heightName, const QString& widthName)
{
    int size[2] = {};
    const QString names[2] = {heightName, widthName};
    for (int i = 0; i < 2; ++i) {
        const Result<int> value = m_store.readNumber(names[i]);
        if (value && *value > 0) {
            size[i] = *value;
            continue;
        }
        if (!value)
            m_ui.warning(value.error());
        size[i] = m_store.fallbackOf(names[i]).toInt();
    }
    return QSize(size[1], size[0]);
}

catalogue::Listing MainFormModel::listAtFirstPaint()
{
    m_viewerFontSize =
        SettingsWindowModel::storedFontSize(storedNumberText(settings::kViewerFontSize));
    if (m_store.read(settings::kBrowser).isEmpty())
        m_store.write(settings::kBrowser, m_store.fallbackOf(settings::kBrowser));
    catalogue::Listing listing =
        catalogue::LiesNamenDatenbanken(m_paths, false, QString(), QString());
    if (listing.names.isEmpty())
        return listing;
    bool ok = false;
    const int stored = storedNumberText(settings::kSelectedDatabase).toInt(&ok);
    const bool inside = ok && stored >= 0 && stored < listing.names.size();
    listing.selectedIndex = inside ? stored : 0;
    return listing;
}

// A stored number, its fallback when missing; a text that is no number is reported and read
// as nothing, so that the caller takes its default.
QString MainFormModel::storedNumberText(const QString& name) const
{
    const Result<int> value = m_store.readNumber(name);
    if (!value) {
        m_ui.warning(value.error());
        return {};
    }
    return QString::number(*value);
}

QStringList MainFormModel::relist()
{
    return catalogue::databaseNames(m_paths);
}

catalogue::Listing MainFormModel::listAfterRun(bool updateMode, const QString& newDatabaseName)
{
    return catalogue::LiesNamenDatenbanken(m_paths, updateMode, storedSelection(), newDatabaseName);
}

QString MainFormModel::storedSelection() const
{
    return m_store.readOrFallback(settings::kSelectedDatabase);
}

MainFormModel::UpdateFields MainFormModel::updateFields(const QString& name) const
{
    UpdateFields fields;
    if (const auto header = descriptor::readHeader(m_paths.descriptor(name)); header.ok()) {
        fields.folder = header->sourceFolder;
        fields.extensions = header->extensionPart.toUpper();
    }
    fields.withDocuments = !catalogue::isPathListOnly(Database(m_paths, name));
    return fields;
}

QString MainFormModel::caption(bool administrator)
{
    return administrator
               ? QStringLiteral("Nimbra-Doviruzu - Mit Administratorberechtigung gestartet.")
               : QStringLiteral("  Nimbra-Doviruzu -  Die Suchmaschine für Doviruzu-Dokumente.");
}

void MainFormModel::selectDatabase(int index, const QString& name)
{
    m_selectedIndex = index;
    m_selected = Database(m_paths, name);
    m_store.write(settings::kSelectedDatabase, QString::number(index));
    m_pathListOnly = catalogue::isPathListOnly(*m_selected);
}

QString MainFormModel::deleteItemCaption() const
{
    return m_pathListOnly ? QStringLiteral("Datenbank löschen!")
                          : QStringLiteral("Datenbank komplett löschen!");
}

QString MainFormModel::deleteDocumentsItemCaption()
{
    return QStringLiteral(
        "Nur die Ansi-, Utf8- und Unicode- Dokumente.txt u. Titelpositionen.txt löschen");
}

bool MainFormModel::deleteSelectedDatabase()
{
    if (selectedName().isEmpty() ||
        !m_ui.question(catalogue::deleteDatabaseQuestion(selectedName())))
        return false;
    catalogue::deleteDatabaseFiles(*m_selected);
    return true;
}

bool MainFormModel::deleteSelectedDocuments()
{
    if (selectedName().isEmpty() ||
        !m_ui.question(catalogue::deleteDocumentsQuestion(selectedName())))
        return false;
    catalogue::deleteDocumentFiles(*m_selected);
    return true;
}

void MainFormModel::close(int selectedIndex, int entryCount, QSize mainSize)
{
    // No selection is stored as the first entry, or as -1 when there is none.
    const int stored = selectedIndex >= 0 ? selectedIndex : entryCount > 0 ? 0 : -1;
    m_store.write(settings::kSelectedDatabase, QString::number(stored));
    if (m_store.read(settings::kColor).isEmpty())
        m_store.write(settings::kColor, QStringLiteral("clBlack"));
    m_store.write(settings::kHeight, QString::number(mainSize.height()));
    m_store.write(settings::kWidth, QString::number(mainSize.width()));
    m_store.write(settings::kViewerFontSize, QString::number(m_viewerFontSize));
    m_store.write(settings::kSearchHeight, QString::number(m_searchSize.height()));
    m_store.write(settings::kSearchWidth, QString::number(m_searchSize.width()));
    if (baseFolderFound())
        catalogue::emptyTempFolder(m_paths);
}
