#pragma once
// The owner of the three catalogue trees (the list window's TreeViewLista, the maintenance window's
// TreeViewEliminar and TreeViewModificar). It fills and empties them together, keeps them in step
// while they are synchronised, applies the expansion modes, and keeps every "&Arboles Sincronizados"
// check mark equal to the synchronisation flag. Windows never touch another window's tree.
//
// How a window uses it:
//     GestorArboles& arboles = GestorArboles::Instancia();
//     arboles.Registrar(GestorArboles::Arbol::Lista, TreeViewLista);      // once, when built
//     arboles.RegistrarMarca(mnuOpcionesGuardarSincronismo);               // each check mark
//     connect(&arboles, &GestorArboles::NodoElegido, this, ...);           // in Conectar()
//     // in the tree's click handler, after reading and showing the chosen route's songs:
//     arboles.Elegido(TreeViewLista, canciones);
// Expansion and collapse are mirrored by the owner itself; a window's own expand and collapse
// handlers only keep its pictures.

#include "store/Catalogo.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>

#include <array>

class ArbolNodos;
class QAction;
class QProgressBar;

class GestorArboles : public QObject {
    Q_OBJECT
public:
    enum class Arbol { Lista, Eliminar, Modificar };
    // Expansion modes: 1 collapse all, 2 expand the headers, 3 expand everything.
    enum Modo : int { ContraerTodo = 1, ExpandirCabeceras = 2, ExpandirTodo = 3 };

    // The owner of the run.
    static GestorArboles& Instancia();

    // A window's tree takes its place; a tree registered before in that place is forgotten.
    void Registrar(Arbol cual, ArbolNodos* arbol);
    // A menu item whose check mark follows the flag from now on.
    void RegistrarMarca(QAction* marca);
    // The registered trees in the order Lista, Eliminar, Modificar (those registered).
    QList<ArbolNodos*> Arboles() const;

    // Once at start-up: the pictures of the nodes and the smallest indentation, for every tree.
    void Inicializar(const QHash<QString, QIcon>* imagenes);
    // Removes every node of the three trees; the windows empty their song lists (ListasVaciadas).
    void Vaciar();
    // Fills the three trees from base (see Arboles::LlenarArboles); barra, when given, follows the fill.
    void Cargar(dao::Database& base, QProgressBar* barra);
    // Key of the header node of the list tree whose text is texto (case counts), or an empty text.
    QString BuscarCabecera(const QString& texto) const;

    // True while the trees follow each other; every registered check mark shows it.
    bool Sincronizados() const { return sincronizados_; }
    void SetSincronizados(bool sincronizados);
    // Switches the synchronisation; when it comes on, the other trees copy origen (SincronizarArboles).
    void CambiarSincronismo(ArbolNodos* origen);

    // Lowers the flag while it lives, so that changing a tree raises no mirroring; always raises it
    // again (also when an error unwinds the stack). Pausing while paused changes nothing.
    class Pausa {
    public:
        explicit Pausa(GestorArboles& gestor);
        ~Pausa();
        Pausa(const Pausa&) = delete;
        Pausa& operator=(const Pausa&) = delete;

    private:
        GestorArboles& gestor_;
        bool anterior_;
    };

    // A node was chosen in origen and its window showed canciones (empty unless a route). While
    // synchronised, the other trees select the node with the same key and their windows are told by
    // NodoElegido, with the same songs: the route is read once per click.
    void Elegido(ArbolNodos* origen, const catalogo::CancionesRuta& canciones);

    // The songs of a route changed, not the trees: every tree's window reads again the songs of the
    // route that tree has selected, as a click on it would, without mirroring.
    void ReleerListas(dao::Database& base);

    // Applies a mode to arbol and, while synchronised, to the other trees as well, each in one pass
    // over its nodes; the end state is the one that mirroring node by node would leave: roots pictured
    // by their state, the other trees' selection on the root (modes 1 and 2) or on the last header
    // (mode 3). Mode 1 while synchronised also empties the windows' song lists.
    void ExpandirArboles(Modo modo, ArbolNodos* arbol);
    // Copies origen's root picture, root and header expansion and selection onto the other trees.
    void SincronizarArboles(ArbolNodos* origen);

signals:
    // The owner selected a node in arbol to follow another tree; its window shows canciones.
    void NodoElegido(ArbolNodos* arbol, const catalogo::CancionesRuta& canciones);
    // The windows empty the song lists that show a route.
    void ListasVaciadas();
    // The owner changed arbol's root expansion without its expand or collapse events.
    void RaizCambiada(ArbolNodos* arbol);

private:
    GestorArboles() = default;
    void Seguir(ArbolNodos* origen, const QString& clave, bool expandido);
    QList<ArbolNodos*> Otros(const ArbolNodos* origen) const;

    std::array<QPointer<ArbolNodos>, 3> arboles_;
    QList<QPointer<QAction>> marcas_;
    bool sincronizados_ = true;
};
