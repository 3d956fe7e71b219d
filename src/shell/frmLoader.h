#pragma once
// The splash window shown while the program starts. Its load handler prepares the state shared by all
// windows, makes sure the catalogue exists and is open, places the main windows, fills the three trees
// while its progress bar advances, prepares the list window's tool row, shows the list window and closes.

#include <QWidget>

class QProgressBar;
namespace dao {
class ErrorBD;
}

class frmLoader : public QWidget {
    Q_OBJECT
public:
    explicit frmLoader(QWidget* padre = nullptr);

    // The whole start-up, run without an event loop. False when the catalogue could not be created or
    // opened: the user has been told why, the file is left as it was, and the program must end.
    bool Form_Load();

    QProgressBar* ProgressBar;

private:
    void Repintar();
    // Closes the splash and tells the user why the catalogue cannot be used; always false.
    // Tells the user what opening the catalogue had to say, if anything.
    void AvisarApertura();
    void BorrarTablasAbandonadas();
    bool Fracaso(const QString& que, const dao::ErrorBD& error);
    // The catalogue is an Access/Jet file: offers to convert it in place when it holds an old catalogue,
    // says so when it is another program's database. False when the run ends.
    bool OfrecerConversion();
    // Reminds the user to unpack Ayuda.zip while the help page is missing; drops it once unpacked.
    void ComprobarAyuda();
};
