// CBCGPMediaPlayerDoc: the document of the single-document window. It holds no data and
// reads or writes nothing; the view and the application keep all state.
#pragma once

#include <QObject>

class CBCGPMediaPlayerDoc : public QObject {
    Q_OBJECT
public:
    explicit CBCGPMediaPlayerDoc(QObject* parent = nullptr) : QObject(parent) {}
};
