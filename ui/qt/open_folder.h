#pragma once

#include <QWidget>
#include <string>

namespace tovrik {

// Opens `folder` in the desktop's file manager; where none can, says so in a
// box over `parent`.
void OpenFolder(QWidget* parent, const std::string& folder);

}  // namespace tovrik
