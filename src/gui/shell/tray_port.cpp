// TrayPort has signals: this file makes the build run moc over its header.
#include "gui/shell/tray_port.h"
