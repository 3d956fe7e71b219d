#pragma once
// The about box "Cantorio - Acerca de": a background picture and three pairs of pictures that appear and
// disappear one after another. It takes the place of the window that opened it until Esc or a click on
// the background closes it.

#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* padre = nullptr);

    // The window that opened the box; it is shown again, at the box's position, when the box closes.
    QPointer<QWidget> Anterior;

    QLabel* imgFondo;
    QLabel* Image11;
    QLabel* Image12;
    QLabel* Image21;
    QLabel* Image22;
    QLabel* Image31;
    QLabel* Image32;
    QTimer* Timer;

public slots:
    // One step of the animation, every 200 milliseconds; it repeats every 61 steps.
    void Timer_Timer();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void Form_Load();
    void imgFondo_Click();

    int contador_ = 0;
};
