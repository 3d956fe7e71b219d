#pragma once
// "Porcentajes:": how many songs have a lyric, how many have none, and how many have none of their own
// but share their title with a song that has one. Everything is counted when the window loads.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class frmPorcentajeLetras : public QDialog {
    Q_OBJECT
public:
    explicit frmPorcentajeLetras(QWidget* padre = nullptr);

    QLabel* lblS;
    QLabel* lnlN;
    QLabel* lblH;
    QLabel* lblSTotal;
    QLabel* lblNTotal;
    QLabel* lblHTotal;
    QLabel* lblSPorciento;
    QLabel* lblNPorciento;
    QLabel* lblHPorciento;
    QFrame* Frame1;
    QPushButton* cmdOK;

private slots:
    void cmdOK_Click();

private:
    void Form_Load();
    void Conectar();
};
