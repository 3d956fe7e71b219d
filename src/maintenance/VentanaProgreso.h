#pragma once
// A progress window of a long operation: a progress bar and "Hecho!", disabled until the work is over,
// which closes the window. Not modal; it repaints only when asked, taking no input meanwhile.

#include <QWidget>

class QProgressBar;
class QPushButton;
class QVBoxLayout;

class VentanaProgreso : public QWidget {
    Q_OBJECT
public:
    QProgressBar* ProgressBar; // objectName "ProgressBar": the trees' refill follows it too
    QPushButton* cmdHecho;

    // Paints the window now, taking no input meanwhile.
    virtual void Repintar();

protected:
    VentanaProgreso(const QString& titulo, QWidget* padre);
    // The bar above the button; a window may put its own controls over them.
    QVBoxLayout* Disposicion() const { return disposicion_; }

private slots:
    void cmdHecho_Click();

private:
    QVBoxLayout* disposicion_;
};
