#pragma once
// A pair of caption-less option buttons that exclude each other: the host prints what each side
// means beside them. It is only as large as the two buttons.

#include <QColor>
#include <QWidget>

class QRadioButton;

class DobleOption : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Izda READ Izda WRITE SetIzda)
    Q_PROPERTY(bool Dcha READ Dcha WRITE SetDcha)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)

public:
    // A new control has its left option selected and the button-face colour.
    explicit DobleOption(QWidget* padre = nullptr);

    // Read: whether the left option is enabled. Write: enables or disables both options.
    bool Enabled() const;
    void SetEnabled(bool activo);
    // Whether the left (right) option is selected; writing true selects it, false clears it.
    bool Izda() const;
    void SetIzda(bool valor);
    bool Dcha() const;
    void SetDcha(bool valor);
    // Background of the control and of both options.
    QColor Color() const;
    void SetColor(const QColor& color);

    QRadioButton* Option1; // left
    QRadioButton* Option2; // right

signals:
    // Raised after a click on either option, in this order.
    void Click();
    void Changed();
    // Every key typed in either option; setting KeyAscii to 0 swallows the key.
    void KeyPress(int& KeyAscii);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    static void Poner(QRadioButton* opcion, bool valor);
    void Option_Click();
};
