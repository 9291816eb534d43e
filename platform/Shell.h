#pragma once
// Handing things to the desktop: showing a file in the file manager.
#include <QString>

// Shows the file selected in the desktop's file manager, or, where no file manager takes such a
// request, opens its folder. Answers whether anything was started.
bool ShowInFileManager(const QString &path);
