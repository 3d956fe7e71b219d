#include "store/InsercionAgrupada.h"

namespace dao {

namespace {

// The most rows one statement writes; fewer statements would gain little more.
constexpr int MaximoFilas = 64;

} // namespace

InsercionAgrupada::InsercionAgrupada(Database& base, QString tabla, QStringList campos)
    : base_(base), tabla_(std::move(tabla)), campos_(std::move(campos)) {}

void InsercionAgrupada::Anadir(std::vector<Valor> fila) {
    grupo_.push_back(std::move(fila));
}

InsercionPreparada& InsercionAgrupada::Sentencia(int filas) {
    std::unique_ptr<InsercionPreparada>& sentencia = sentencias_[filas];
    if (!sentencia)
        sentencia = std::make_unique<InsercionPreparada>(base_, tabla_, campos_, filas);
    return *sentencia;
}

void InsercionAgrupada::Escribir() {
    const std::vector<std::vector<Valor>> grupo = std::exchange(grupo_, {});
    const auto ancho = static_cast<int>(campos_.size());
    std::size_t hecho = 0;
    // Statements of 64 rows, then of the powers of two that make up the rest.
    for (int filas = MaximoFilas; filas > 0; filas /= 2) {
        while (grupo.size() - hecho >= std::size_t(filas)) {
            InsercionPreparada& sentencia = Sentencia(filas);
            for (int fila = 0; fila < filas; ++fila) {
                const std::vector<Valor>& valores = grupo[hecho + std::size_t(fila)];
                for (int campo = 0; campo < ancho && std::size_t(campo) < valores.size(); ++campo) {
                    const int lugar = fila * ancho + campo;
                    if (const auto* entero = std::get_if<qint64>(&valores[std::size_t(campo)]))
                        sentencia.Entero(lugar, *entero);
                    else if (const auto* texto = std::get_if<QString>(&valores[std::size_t(campo)]))
                        sentencia.Texto(lugar, *texto);
                }
            }
            sentencia.Anadir();
            hecho += std::size_t(filas);
        }
    }
}

} // namespace dao
