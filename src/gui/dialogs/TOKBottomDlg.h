#pragma once

#include "common/UserInterface.h"
#include "indexer/NewDatabasePrompts.h"
#include "store/DatabasePaths.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// The new-database dialog: name, folder, extension patterns and whether documents are
// built. It also decides whether the list program writes the drive list anew. Created
// once; prepare it, exec() it, and read choice() after Accepted.
class TOKBottomDlg : public QDialog {
    Q_OBJECT

public:
    // Waits the given time while window events go on.
    using Pause = std::function<void(int milliseconds)>;

    struct Choice {
        QString name;   // handed over only by a passed confirmation
        QString folder; // a program path
        QString extensions;
        bool pathListOnly = false;  // the check box is not ticked: no documents
        bool runListProgram = true; // the drive list is to be made (anew)
    };

    // Without prompts the system's folder browser and the notice window are used; without
    // a pause an own event loop waits.
    TOKBottomDlg(DatabasePaths paths, QString controlFolder, UserInterface& ui,
                 NewDatabasePrompts* prompts = nullptr, Pause pause = {},
                 QWidget* parent = nullptr);
    ~TOKBottomDlg() override;

    // A new database: name and folder empty, the other fields as last time.
    void prepareForNew(const QStringList& existingNames);
    // Updating a database: its name, folder and extension field as its descriptor holds
    // them, the check box showing whether it has documents.
    void prepareForUpdate(const QString& name, const QString& folder, const QString& extensions,
                          bool withDocuments, const QStringList& existingNames);

    Choice choice() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildFields();
    void buildPanel();
    void buildExplanation();
    void buildButtons();
    void layOut();
    void prepare(bool updateMode, const QStringList& existingNames);
    void loadPatternChoices();
    QString nativeStartFolder() const;
    void declineNewList(int pauseMilliseconds);
    void askAboutDriveListForUpdate();

    void Edit1Change();
    void Edit2Change();
    void ComboBox1Click(int index);
    void Button1Click();
    void BitBtn2Click();
    void AuswahlMitOhneIndizierungClick();
    void OrdnerwaehlenButtonClick();
    void PfadausZwischenablageeinfgen1Click();
    void OKBtnClick();

    DatabasePaths m_paths;
    QString m_controlFolder;
    UserInterface& m_ui;
    std::unique_ptr<NewDatabasePrompts> m_ownPrompts;
    NewDatabasePrompts* m_prompts;
    Pause m_pause;

    bool m_updateMode = false;
    QString m_originalName;
    QStringList m_existingNames;
    QString m_rememberedFolder = QStringLiteral("desktop");
    bool m_runListProgram = true;
    QString m_handedOverName;

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* OrdnerwaehlenButton = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* PfadausZwischenablageeinfgen1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* AuswahlMitOhneIndizierung = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};
