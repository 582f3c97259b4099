#include "ui/qt/open_folder.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace tovrik {

void OpenFolder(QWidget* parent, const std::string& folder) {
    const QString name = QString::fromLocal8Bit(folder.c_str());
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(name))) return;
    QMessageBox box(QMessageBox::Warning, "Tovrik Stats",
                    "No file manager could open the folder \"" + name + "\": none is set for folders on this desktop.",
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // a folder's name, whatever it holds
    box.exec();
}

}  // namespace tovrik
