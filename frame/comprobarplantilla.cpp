// "Comprobar plantilla" of the main window: the template chosen, loaded
// apart from any document window and checked against the dictionary; the
// findings in a window that stays open beside the template being fixed.

#include "frame/mdiparent.h"

#include "merge/templatecheck.h"
#include "platformui/messageboxes.h"
#include "textctl/txtextcontrol.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace frame {

namespace {

void showFindings(QWidget *parent, const QString &text)
{
    auto *dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("frmComprobacion"));
    dialog->setWindowTitle(QStringLiteral("Comprobar plantilla"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto *findings = new QPlainTextEdit(text, dialog);
    findings->setObjectName(QStringLiteral("txtHallazgos"));
    findings->setReadOnly(true);
    findings->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(findings);
    layout->addWidget(buttons);
    dialog->resize(720, 420);
    dialog->show();
}

}  // namespace

void MDIParent::boton_comprobar_Click()
{
    const QString path = chooseTemplate(QStringLiteral("Comprobar Plantilla"));
    if (path.isEmpty())
        return;
    TXTextControl plantilla;
    if (!plantilla.Load(path, 0, 5)) {
        m_services.mensajes->show(plantilla.errorString(), platform::OkOnly + platform::Critical);
        return;
    }
    plantilla.usePageOfLoad();
    const merge::TemplateCheck check = merge::checkTemplate(plantilla, m_tablaCampos.names());
    showFindings(this, merge::describeCheck(check, QFileInfo(path).fileName()));
}

}  // namespace frame
