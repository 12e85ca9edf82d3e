#pragma once

#include <QList>

class TATBinHexCore;

// The program-wide open-file slot. Every viewer core reads its own file and registers
// here; closing the slot closes every viewer's document, so that the documents can be
// rewritten or deleted. The slot must outlive the cores attached to it.
class ViewerFileSlot {
public:
    ViewerFileSlot() = default;
    ~ViewerFileSlot();
    ViewerFileSlot(const ViewerFileSlot&) = delete;
    ViewerFileSlot& operator=(const ViewerFileSlot&) = delete;

    void closeAll();

private:
    friend class TATBinHexCore;
    void attach(TATBinHexCore* core);
    void detach(TATBinHexCore* core);

    QList<TATBinHexCore*> m_cores;
};
