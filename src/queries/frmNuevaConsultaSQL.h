#pragma once
// "Nueva Consulta - SQL": a SELECT statement typed by the user and the columns to show. The statement
// is tried on the engine, read-only, before the result window is asked for.

#include "queries/DialogoConsulta.h"
#include "queries/FilaColumnas.h"

#include <memory>

class QPlainTextEdit;

class frmNuevaConsultaSQL : public DialogoConsulta {
    Q_OBJECT
public:
    explicit frmNuevaConsultaSQL(QWidget* padre);
    ~frmNuevaConsultaSQL() override;

    QPlainTextEdit* txtConsultaSQL;
    std::unique_ptr<FilaColumnas> Ver;

private slots:
    void txtConsultaSQL_Change();

private:
    void Form_Load();
    void cmdConsultar_Click() override;
    // Shows the message of a refused statement and lets the user correct it.
    void Rechazar(const QString& texto);
};
