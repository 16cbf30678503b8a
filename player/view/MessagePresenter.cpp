#include "MessagePresenter.h"

#include <QMessageBox>

void BoxMessagePresenter::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}
