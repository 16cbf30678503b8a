#include "FileChooser.h"

#include <QFileDialog>

const QString DialogFileChooser::kTitle = QStringLiteral("Open Video File...");
const QString DialogFileChooser::kFilter =
    QStringLiteral("Video Files (*.avi *.mov *.mpg *.mpeg *.rmvb *)");

QString DialogFileChooser::chooseMediaFile(QWidget*)
{
    // No owner window, no initial folder: the dialog opens where the system puts it.
    QString selected = kFilter;
    return QFileDialog::getOpenFileName(nullptr, kTitle, QString(), kFilter, &selected,
                                        QFileDialog::ReadOnly);
}
