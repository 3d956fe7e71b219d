#pragma once
// A label that reports a click, so that a caption beside a bare check box can toggle it.

#include <QLabel>

class EtiquetaPulsable : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
};
