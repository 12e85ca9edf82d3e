#pragma once

#include <QString>

// Where the viewer core shows its error messages; the window supplies a message box with
// the caption "Viewer", tests a recorder.
class TATBinHexReporter {
public:
    virtual ~TATBinHexReporter() = default;

    virtual void showError(const QString& text) = 0;
};
