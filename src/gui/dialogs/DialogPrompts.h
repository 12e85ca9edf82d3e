#pragma once

#include "dialogs/THinweisForm.h"
#include "indexer/NewDatabasePrompts.h"

// The system's folder browser and the notice window.
class DialogPrompts : public NewDatabasePrompts {
public:
    explicit DialogPrompts(QWidget* parent) : m_parent(parent), m_notice(parent) {}

    std::optional<QString> chooseFolder(const QString& nativeStart) override;
    bool askYesNo(const QString& text) override { return m_notice.ask(text); }

private:
    QWidget* m_parent;
    THinweisForm m_notice;
};
