#include "dialogs/MachPause.h"

#include <QEventLoop>
#include <QTimer>

void machPause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
