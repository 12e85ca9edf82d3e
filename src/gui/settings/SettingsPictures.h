#pragma once

#include <QIcon>

// Our own pictures of the settings buttons, drawn at run time.
namespace settingspictures {

QIcon plus();     // the settings window's SpeedButton1: viewer font larger
QIcon minus();    // SpeedButton2: viewer font smaller
QIcon settings(); // the buttons that open the settings window

} // namespace settingspictures
