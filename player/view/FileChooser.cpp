#include "FileChooser.h"

#include "DialogPlacement.h"

#include <QFileDialog>

const QString DialogFileChooser::kTitle = QStringLiteral("Open Video File...");
const QString DialogFileChooser::kFilter =
    QStringLiteral("Video Files (*.avi *.mov *.mpg *.mpeg *.rmvb *)");

QString DialogFileChooser::chooseMediaFile(QWidget* parent)
{
    // No initial folder; the dialog opens centred on the player's window, on the screen.
    QFileDialog dialog(parent ? parent->window() : nullptr, kTitle, QString(), kFilter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.selectNameFilter(kFilter);
    dialogplacement::placeOver(&dialog, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
