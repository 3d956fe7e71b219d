#include "queries/frmNuevaConsultaAvanzada.h"

#include "queries/DobleOption.h"
#include "queries/EtiquetaPulsable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QStringList ValoresLetras{QStringLiteral("---"), QStringLiteral("SI"), QStringLiteral("NO"),
                                QStringLiteral("?")};

// A caption printed on the background beside the two-option controls.
QLabel* leyenda(const QString& texto, Qt::Alignment alineacion, QWidget* padre) {
    auto* etiqueta = new QLabel(texto, padre);
    QFont letra = etiqueta->font();
    letra.setPointSizeF(letra.pointSizeF() * 0.85);
    etiqueta->setFont(letra);
    etiqueta->setAlignment(alineacion | Qt::AlignBottom);
    return etiqueta;
}
} // namespace

frmNuevaConsultaAvanzada::frmNuevaConsultaAvanzada(QWidget* padre)
    : DialogoConsulta(padre, QStringLiteral("Nueva Consulta - Avanzada")) {
    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(18, 10, 18, 14);
    columna->setSpacing(12);
    auto* rejilla = new QGridLayout;
    columna->addLayout(rejilla);
    rejilla->setHorizontalSpacing(12);
    rejilla->setVerticalSpacing(12);
    rejilla->addWidget(leyenda(QStringLiteral("AND OR\n↓      ↓"), Qt::AlignHCenter, this), 0, 0);
    rejilla->addWidget(leyenda(QStringLiteral("Que Contenga ↘"), Qt::AlignRight, this), 0, 2);
    rejilla->addWidget(leyenda(QStringLiteral("↙ Búsqueda Exacta"), Qt::AlignLeft, this), 0, 4);

    struct Fila {
        QLabel** etiqueta;
        QLineEdit** campo;
        DobleOption** union_;
        DobleOption** modo;
        QColor colorUnion;
        QColor colorModo;
    };
    const std::array<Fila, Consultas::NumeroCampos> filas{{
        {&lblCabecera, &txtCabecera, &AndOrCabecera, &SeaContengaCabecera, {112, 231, 250}, {44, 242, 206}},
        {&lblRuta, &txtRuta, &AndOrRuta, &SeaContengaRuta, {108, 232, 247}, {40, 242, 202}},
        {&lblAutor, &txtAutor, &AndOrAutor, &SeaContengaAutor, {105, 233, 246}, {35, 243, 199}},
        {&lblTitulo, &txtTitulo, &AndOrTitulo, &SeaContengaTitulo, {100, 233, 241}, {30, 244, 196}},
        {&lblExtension,
         &txtExtension,
         &AndOrExtension,
         &SeaContengaExtension,
         {95, 233, 239},
         {26, 244, 194}},
    }};
    const QStringList textos{QStringLiteral("Cabecera"), QStringLiteral("Ruta"), QStringLiteral("Autor"),
                             QStringLiteral("Título"), QStringLiteral("Extensión")};
    QList<QWidget*> barras;
    for (int i = 0; i < Consultas::NumeroCampos; ++i) {
        const Fila& f = filas[i];
        *f.union_ = new DobleOption(this);
        *f.etiqueta = new QLabel(textos[i], this);
        *f.campo = new QLineEdit(this);
        *f.modo = new DobleOption(this);
        (*f.union_)->SetColor(f.colorUnion);
        (*f.modo)->SetColor(f.colorModo);
        (*f.etiqueta)->setEnabled(false);
        (*f.campo)->setMinimumWidth(300);
        rejilla->addWidget(*f.union_, i + 1, 0, Qt::AlignCenter);
        rejilla->addWidget(*f.etiqueta, i + 1, 1);
        rejilla->addWidget(*f.campo, i + 1, 2);
        rejilla->addWidget(*f.modo, i + 1, 3, Qt::AlignCenter);
        barras << *f.campo;
    }
    const int filaLetras = Consultas::NumeroCampos + 1;
    AndOrLetras = new DobleOption(this);
    AndOrLetras->SetColor(QColor(90, 234, 235));
    lblLetras = new QLabel(QStringLiteral("Letras"), this);
    lblLetras->setEnabled(false);
    cmbLetras = new QComboBox(this);
    cmbLetras->setEditable(true);
    cmbLetras->setEditText(QStringLiteral("---"));
    cmbLetras->setEnabled(false);
    cmbLetras->setMinimumContentsLength(5);
    rejilla->addWidget(AndOrLetras, filaLetras, 0, Qt::AlignCenter);
    rejilla->addWidget(lblLetras, filaLetras, 1);
    rejilla->addWidget(cmbLetras, filaLetras, 2, Qt::AlignLeft);

    auto* filaVer = new QHBoxLayout;
    Ver = std::make_unique<FilaColumnas>(this, filaVer);
    columna->addLayout(filaVer);

    auto* filaFinal = FilaBotones();
    chkInteligente = new QCheckBox(this);
    lblInteligente = new EtiquetaPulsable(QStringLiteral("Inteligente"), this);
    connect(lblInteligente, &EtiquetaPulsable::Click, chkInteligente, &QCheckBox::toggle);
    filaFinal->insertWidget(0, chkInteligente);
    filaFinal->insertWidget(1, lblInteligente);
    columna->addLayout(filaFinal);
    columna->setSizeConstraint(QLayout::SetFixedSize);
    // Extra width goes to the text fields, so the legends stay beside the two-option controls.
    rejilla->setColumnStretch(2, 1);
    cmdConsultar->setEnabled(false);

    QList<QWidget*> cuadros;
    for (QCheckBox* casilla : Ver->Casillas())
        cuadros << casilla;
    cuadros << chkInteligente;
    PonerFondo(barras, cuadros);

    connect(txtCabecera, &QLineEdit::textChanged, this, &frmNuevaConsultaAvanzada::txtCabecera_Change);
    connect(txtRuta, &QLineEdit::textChanged, this, &frmNuevaConsultaAvanzada::txtRuta_Change);
    connect(txtAutor, &QLineEdit::textChanged, this, &frmNuevaConsultaAvanzada::txtAutor_Change);
    connect(txtTitulo, &QLineEdit::textChanged, this, &frmNuevaConsultaAvanzada::txtTitulo_Change);
    connect(txtExtension, &QLineEdit::textChanged, this, &frmNuevaConsultaAvanzada::txtExtension_Change);
    for (QCheckBox* casilla : {Ver->chkVerCabecera, Ver->chkVerRuta, Ver->chkVerAutor, Ver->chkVerTitulo,
                               Ver->chkVerExtension, Ver->chkVerLongitud})
        connect(casilla, &QCheckBox::toggled, this,
                &frmNuevaConsultaAvanzada::CompruebaBotonRealizarConsulta);
    connect(Ver->chkVerLetras, &QCheckBox::toggled, this, &frmNuevaConsultaAvanzada::chkVerLetras_Click);
    Form_Load();
}

frmNuevaConsultaAvanzada::~frmNuevaConsultaAvanzada() = default;

void frmNuevaConsultaAvanzada::Form_Load() {
    for (DobleOption* modo :
         {SeaContengaCabecera, SeaContengaRuta, SeaContengaAutor, SeaContengaTitulo, SeaContengaExtension}) {
        modo->SetIzda(true);
        modo->SetEnabled(false);
    }
    for (DobleOption* union_ :
         {AndOrCabecera, AndOrRuta, AndOrAutor, AndOrTitulo, AndOrExtension, AndOrLetras}) {
        union_->SetIzda(true);
        union_->SetEnabled(false);
    }
    for (QCheckBox* casilla :
         {Ver->chkVerCabecera, Ver->chkVerRuta, Ver->chkVerAutor, Ver->chkVerTitulo, Ver->chkVerExtension})
        casilla->setChecked(true);
    Ver->chkVerLongitud->setChecked(false);
    Ver->chkVerLetras->setChecked(true);
    chkInteligente->setChecked(false);
    cmbLetras->addItems(ValoresLetras);
}

Consultas::ConsultaAvanzada frmNuevaConsultaAvanzada::Consulta() const {
    Consultas::ConsultaAvanzada consulta;
    const std::array<std::tuple<const QLineEdit*, const DobleOption*, const DobleOption*>,
                     Consultas::NumeroCampos>
        campos{{
            {txtCabecera, SeaContengaCabecera, AndOrCabecera},
            {txtRuta, SeaContengaRuta, AndOrRuta},
            {txtAutor, SeaContengaAutor, AndOrAutor},
            {txtTitulo, SeaContengaTitulo, AndOrTitulo},
            {txtExtension, SeaContengaExtension, AndOrExtension},
        }};
    for (int i = 0; i < Consultas::NumeroCampos; ++i) {
        const auto& [campo, modo, union_] = campos[i];
        consulta.campos[i] = {campo->text(), modo->Izda(), union_->Izda()};
    }
    consulta.filtroLetrasUsado = lblLetras->isEnabled();
    consulta.filtroLetras = cmbLetras->currentText();
    consulta.letrasConAnd = AndOrLetras->Izda();
    return consulta;
}

Consultas::PeticionConsulta frmNuevaConsultaAvanzada::Peticion() const {
    const Consultas::SentenciaConstruida construida = Consultas::SentenciaAvanzada(Consulta());
    const QString filtro = cmbLetras->currentText();
    Consultas::PeticionConsulta peticion;
    peticion.sentencia = construida.sentencia;
    peticion.criterios = construida.criterios;
    peticion.vistas = Ver->Vistas();
    // Songs filtered as having a lyric need no "?"; the "?" filter marks every row itself.
    peticion.letrasInteligente = chkInteligente->checkState() == Qt::Checked &&
                                 (filtro == QLatin1String("---") || filtro == QLatin1String("NO"));
    peticion.filtroInteligente = construida.filtroInteligente;
    return peticion;
}

void frmNuevaConsultaAvanzada::txtCabecera_Change() {
    CampoCambiado(txtCabecera, SeaContengaCabecera, AndOrCabecera, lblCabecera);
}
void frmNuevaConsultaAvanzada::txtRuta_Change() {
    CampoCambiado(txtRuta, SeaContengaRuta, AndOrRuta, lblRuta);
}
void frmNuevaConsultaAvanzada::txtAutor_Change() {
    CampoCambiado(txtAutor, SeaContengaAutor, AndOrAutor, lblAutor);
}
void frmNuevaConsultaAvanzada::txtTitulo_Change() {
    CampoCambiado(txtTitulo, SeaContengaTitulo, AndOrTitulo, lblTitulo);
}
void frmNuevaConsultaAvanzada::txtExtension_Change() {
    CampoCambiado(txtExtension, SeaContengaExtension, AndOrExtension, lblExtension);
}

void frmNuevaConsultaAvanzada::CampoCambiado(const QLineEdit* campo, DobleOption* modo, DobleOption* union_,
                                             QLabel* etiqueta) {
    const bool usado = !campo->text().isEmpty();
    modo->SetEnabled(usado);
    union_->SetEnabled(usado);
    etiqueta->setEnabled(usado);
    CompruebaBotonRealizarConsulta();
}

void frmNuevaConsultaAvanzada::chkVerLetras_Click() {
    const bool filtro = Ver->chkVerLetras->checkState() == Qt::Checked;
    cmbLetras->setEnabled(filtro);
    AndOrLetras->SetEnabled(filtro);
    lblLetras->setEnabled(filtro);
    CompruebaBotonRealizarConsulta();
}

void frmNuevaConsultaAvanzada::CompruebaBotonRealizarConsulta() {
    bool columna = false;
    for (const QCheckBox* casilla : Ver->Casillas())
        columna = columna || casilla->checkState() == Qt::Checked;
    bool usado = false;
    for (const QLabel* etiqueta : {lblCabecera, lblRuta, lblAutor, lblTitulo, lblExtension, lblLetras})
        usado = usado || etiqueta->isEnabled();
    cmdConsultar->setEnabled(ValoresLetras.contains(cmbLetras->currentText()) && columna && usado);
}

void frmNuevaConsultaAvanzada::cmdConsultar_Click() {
    DesactivarBotones();
    emit ConsultaPedida(Peticion());
}

QRect frmNuevaConsultaAvanzada::AnclasFondo() const {
    return QRect(AndOrCabecera->geometry().center(), SeaContengaExtension->geometry().center());
}
