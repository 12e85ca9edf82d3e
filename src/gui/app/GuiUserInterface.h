#pragma once

#include "common/UserInterface.h"

class QWidget;

// Message boxes for the core's questions and messages, over a parent window.
class GuiUserInterface : public UserInterface {
public:
    explicit GuiUserInterface(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void information(const QString& text) override;
    void warning(const QString& text) override;
    bool question(const QString& text) override;

private:
    QWidget* m_parent;
};
