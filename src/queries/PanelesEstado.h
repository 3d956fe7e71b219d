#pragma once
// The workspace's status bar: a row of sunken panels, each sized to its text, rebuilt by the active
// result window.

#include <QStatusBar>
#include <QStringList>

class PanelesEstado : public QStatusBar {
    Q_OBJECT
public:
    using QStatusBar::QStatusBar;

    void Limpiar();
    void Anadir(const QString& texto);
    QStringList Textos() const;
};
