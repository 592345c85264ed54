// "Comprobar plantilla" of the main window: the template chosen, loaded
// apart from any document window and checked against the dictionary; the
// findings in a window that stays open beside the template being fixed.

#include "frame/mdiparent.h"

#include "merge/templatecheck.h"
#include "platformui/commondialog.h"
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
    platform::CommonDialog &dialogo = *m_services.dialogo;
    dialogo.DialogTitle = QStringLiteral("Comprobar Plantilla");
    dialogo.FileName.clear();
    dialogo.Filter = QStringLiteral("Archivos de texto enriquecido (*.rtf)|*.rtf");
    dialogo.FilterIndex = 1;
    dialogo.Flags = platform::FlagFileMustExist | platform::FlagPathMustExist | platform::FlagHideReadOnly;
    if (dialogo.ShowOpen() != 0)
        return;
    TXTextControl plantilla;
    if (!plantilla.Load(dialogo.FileName, 0, 5)) {
        m_services.mensajes->show(plantilla.errorString(), platform::OkOnly + platform::Critical);
        return;
    }
    plantilla.usePageOfLoad();
    const merge::TemplateCheck check = merge::checkTemplate(plantilla, m_tablaCampos.names());
    showFindings(this, merge::describeCheck(check, QFileInfo(dialogo.FileName).fileName()));
}

}  // namespace frame
