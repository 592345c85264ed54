#pragma once

// The mail form " Enviar por Correo Electrónico": recipient, copy
// recipient, subject, the file to attach and the message text, with
// "Enviar" and "Salir". It does not block the editor: the user may go on
// working while it is open. It is unloaded (and deleted) when a send
// succeeds or "Salir" is pressed; a failed send shows its message and
// leaves everything the user typed in place.
//
//   auto *form = new frmemail(Variante::Editor, rutaDelInforme, {}, mensajes, mainWindow);
//   form->show();

#include "office/enviocorreo.h"
#include "office/transportecorreo.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QPushButton;
class QTextEdit;

namespace platform {
class MessageBoxes;
}

namespace office {

class frmemail final : public QWidget {
    Q_OBJECT
public:
    // `fichero` fills Text4, as the form's load does.
    frmemail(Variante variante, const QString &fichero, AjustesCorreo ajustes,
             platform::MessageBoxes &mensajes, QWidget *parent = nullptr);
    ~frmemail() override;

    QLineEdit *Text1() const { return m_text1; }
    QLineEdit *Text2() const { return m_text2; }
    QLineEdit *Text3() const { return m_text3; }
    QLineEdit *Text4() const { return m_text4; }
    QTextEdit *RichTextBox1() const { return m_richTextBox1; }
    QPushButton *Command1() const { return m_command1; }
    QPushButton *Command2() const { return m_command2; }

    CamposCorreo campos() const;
    // The transport of the send in progress (nullptr when none is).
    TransporteCorreo *transporte() const { return m_transporte.get(); }

    void Command1_Click();
    void Command2_Click();

signals:
    // The message left: the form unloads next.
    void enviado();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void transporteTerminado(TransporteCorreo::Resultado resultado, const QString &causa);
    void mostrarFallo(const FalloCorreo &fallo);
    void setEnviando(bool enviando);

    Variante m_variante;
    AjustesCorreo m_ajustes;
    platform::MessageBoxes &m_mensajes;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QTextEdit *m_richTextBox1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    std::unique_ptr<TransporteCorreo> m_transporte;
};

inline constexpr QStringView kCaptionFrmemail = u" Enviar por Correo Electrónico";

}  // namespace office
