#pragma once
// The progress window of a deletion and of the trees' refill after it: a progress bar and "Hecho!",
// which closes it once the work is over. It stays open, not modal, until the user presses "Hecho!".

#include <QWidget>

class QProgressBar;
class QPushButton;

class frmEliminando : public QWidget {
    Q_OBJECT
public:
    explicit frmEliminando(QWidget* padre = nullptr);

    QProgressBar* ProgressBar; // objectName "ProgressBar": the trees' refill follows it too
    QPushButton* cmdHecho;

    // Paints the window now, taking no input meanwhile.
    void Repintar();
    // The caption, painted at once.
    void Rotulo(const QString& rotulo);
    // "Terminado", the bar full and "Hecho!" enabled with the focus.
    void Terminar();

private slots:
    void cmdHecho_Click();
};
