#include "FileChooser.h"

#include "DialogPlacement.h"

#include <QFileDialog>
#include <QFileInfo>

const QString DialogFileChooser::kTitle = QStringLiteral("Open Video File...");
const QString DialogFileChooser::kFilter =
    QStringLiteral("Video Files (*.avi *.mov *.mpg *.mpeg *.rmvb *)");

QString DialogFileChooser::chooseSubtitleFile(QWidget* parent, const QString& title,
                                              const QString& kind)
{
    const QString start = QFileInfo(folder_).isDir() ? folder_ : QString();
    QFileDialog dialog(parent ? parent->window() : nullptr, title, start,
                       kind + QStringLiteral(" (*.srt *.ass *.ssa *.vtt *.SRT *.ASS *.SSA *.VTT)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly);
    dialogplacement::placeOver(&dialog, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString DialogFileChooser::chooseMediaFile(QWidget* parent)
{
    // The dialog opens centred on the player's window, on the screen.
    const QString start = QFileInfo(folder_).isDir() ? folder_ : QString();
    QFileDialog dialog(parent ? parent->window() : nullptr, kTitle, start, kFilter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.selectNameFilter(kFilter);
    dialogplacement::placeOver(&dialog, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    folder_ = QFileInfo(chosen).absolutePath();
    return chosen;
}
