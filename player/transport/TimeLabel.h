// CTimeLabel: the transport bar's elapsed/total time, white on black.
#pragma once

#include <QString>
#include <QWidget>

class CTimeLabel : public QWidget {
    Q_OBJECT
public:
    explicit CTimeLabel(const QString& text, QWidget* parent);
    // Stores the text and repaints the whole label.
    void setText(const QString& text);
    const QString& text() const { return text_; }
    QFont textFont() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString text_;
};
