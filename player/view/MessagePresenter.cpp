#include "MessagePresenter.h"

#include <QMessageBox>

void BoxMessagePresenter::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void BoxMessagePresenter::notice(const QString& title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Information, title, text,
                                QMessageBox::Ok | QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
