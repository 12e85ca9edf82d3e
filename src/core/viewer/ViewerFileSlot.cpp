#include "viewer/ViewerFileSlot.h"

#include "viewer/TATBinHexCore.h"

ViewerFileSlot::~ViewerFileSlot()
{
    Q_ASSERT(m_cores.isEmpty());
}

void ViewerFileSlot::closeAll()
{
    for (TATBinHexCore* core : std::as_const(m_cores)) {
        // An empty name only closes and always succeeds.
        (void)core->Open(QString());
    }
}

void ViewerFileSlot::attach(TATBinHexCore* core)
{
    m_cores.append(core);
}

void ViewerFileSlot::detach(TATBinHexCore* core)
{
    m_cores.removeOne(core);
}
