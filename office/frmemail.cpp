#include "office/frmemail.h"

#include "platformui/messageboxes.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace office {

frmemail::frmemail(Variante variante, const QString &fichero, AjustesCorreo ajustes,
                   platform::MessageBoxes &mensajes, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_variante(variante),
      m_ajustes(std::move(ajustes)),
      m_mensajes(mensajes)
{
    setObjectName(QStringLiteral("frmemail"));
    setWindowTitle(kCaptionFrmemail.toString());
    setAttribute(Qt::WA_DeleteOnClose);

    const auto linea = [this](const char *nombre) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(nombre));
        return edit;
    };
    m_text1 = linea("Text1");
    m_text2 = linea("Text2");
    m_text3 = linea("Text3");
    m_text4 = linea("Text4");
    m_text4->setText(fichero);
    m_text1->setPlaceholderText(QStringLiteral("nombre@dominio.es; otro@dominio.es"));
    m_richTextBox1 = new QTextEdit(this);
    m_richTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    m_richTextBox1->setAcceptRichText(false);
    m_richTextBox1->setTabChangesFocus(true);

    auto *campos = new QFormLayout;
    campos->addRow(QStringLiteral("Destinatario"), m_text1);
    campos->addRow(QStringLiteral("Copia"), m_text2);
    campos->addRow(QStringLiteral("Asunto"), m_text3);
    campos->addRow(QStringLiteral("Fichero Vinculado"), m_text4);
    campos->addRow(QStringLiteral("Mensaje"), m_richTextBox1);

    m_command1 = new QPushButton(QStringLiteral("Enviar"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setDefault(true);
    m_command2 = new QPushButton(QStringLiteral("Salir"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    connect(m_command1, &QPushButton::clicked, this, &frmemail::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frmemail::Command2_Click);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_command1);
    botones->addWidget(m_command2);

    auto *todo = new QVBoxLayout(this);
    todo->addLayout(campos);
    todo->addLayout(botones);
    resize(560, 420);
}

frmemail::~frmemail() = default;

CamposCorreo frmemail::campos() const
{
    return {m_text1->text(), m_text2->text(), m_text3->text(), m_text4->text(), m_richTextBox1->toPlainText()};
}

void frmemail::Command1_Click()
{
    if (m_transporte && m_transporte->enCurso())
        return;
    m_transporte = std::make_unique<TransporteCorreo>(m_ajustes);
    const CamposCorreo valores = campos();
    std::variant<QByteArray, FalloCorreo> preparado = prepararCorreo(valores, m_variante, *m_transporte);
    if (const auto *fallo = std::get_if<FalloCorreo>(&preparado)) {
        m_transporte.reset();
        mostrarFallo(*fallo);
        return;
    }
    connect(m_transporte.get(), &TransporteCorreo::terminado, this, &frmemail::transporteTerminado);
    setEnviando(true);
    m_transporte->enviar(std::get<QByteArray>(preparado));
}

void frmemail::Command2_Click()
{
    close();
}

void frmemail::transporteTerminado(TransporteCorreo::Resultado resultado, const QString &causa)
{
    setEnviando(false);
    // The transport is released after this send, also after a failure.
    if (m_transporte)
        m_transporte.release()->deleteLater();
    if (resultado == TransporteCorreo::Resultado::Enviado) {
        emit enviado();
        close();
        return;
    }
    const Etapa etapa = resultado == TransporteCorreo::Resultado::NoArranca ? Etapa::A : Etapa::E;
    mostrarFallo(falloEn(etapa, m_variante, campos(), causa));
}

void frmemail::mostrarFallo(const FalloCorreo &fallo)
{
    m_mensajes.show(fallo.texto(), platform::OkOnly);
}

void frmemail::setEnviando(bool enviando)
{
    const QList<QWidget *> controles{m_text1, m_text2, m_text3, m_text4, m_richTextBox1, m_command1, m_command2};
    for (QWidget *control : controles)
        control->setEnabled(!enviando);
    if (enviando)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void frmemail::closeEvent(QCloseEvent *event)
{
    // A message half handed over is not cut off: the transport's own
    // time limit ends the wait.
    if (m_transporte && m_transporte->enCurso()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace office
