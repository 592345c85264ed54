#include "merge/generacion.h"

#include "data/dictionary.h"
#include "merge/documenthost.h"
#include "merge/fusion.h"
#include "merge/mergedata.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QTextDocument>

namespace merge {

namespace {

// Merging leaves no undo step: the report starts its history merged.
void withoutUndo(TXTextControl &control, const std::function<void()> &merge)
{
    const QList<QTextDocument *> texts = control.document().texts();
    for (QTextDocument *text : texts)
        text->setUndoRedoEnabled(false);
    merge();
    for (QTextDocument *text : texts)
        text->setUndoRedoEnabled(true);
}

}  // namespace

QString captionForClaim(const QString &programDir, const QString &numero)
{
    const QString name = numero.trimmed();
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.startsWith(u'.'))
        return {};
    return programDir + u'/' + name + QStringLiteral(".rtf");
}

GenerationResult generar_documento(DocumentHost &host, const QString &plantilla)
{
    GenerationResult result;
    const QString programDir = host.programDirectory();
    const QString path = plantilla.trimmed();
    host.setMainWindowVisible(false);

    // The lookups cut values with the columns of the dictionary that
    // describes the current files, not the one read at start-up.
    MergeData mergeData;
    if (!loadMergeData(programDir, &mergeData, &result.error))
        return result;
    host.fieldTableRead(mergeData.fields);
    textctl::DocumentContent content;
    content.path = path;
    if (const int format = textctl::formatForPath(path);
        format != 0 && !textctl::readDocumentContent(path, format, &content, &result.error))
        return result;

    QString numero;
    const int total = mergeData.claims.recordCount();
    for (int registro = 1; registro <= total; ++registro) {
        if (!host.mergingRecord(registro, total)) {
            result.cancelled = true;
            break;
        }
        // The driver walks the dictionary file once per record.
        if (registro > 1 && !data::cargar_diccionario(programDir, &mergeData.fields, &result.error))
            return result;
        TXTextControl *control = host.abrirPlantilla(path, content);
        if (!control) {
            result.error = QStringLiteral("No se puede abrir el fichero: %1").arg(path);
            return result;
        }
        ++result.windows;
        withoutUndo(*control, [&] { fusionar_registro(*control, mergeData, registro, &numero); });
        host.finishMergedWindow(captionForClaim(programDir, numero), numero,
                                mergeData.claims.holder(registro));
    }
    result.ok = true;
    return result;
}

}  // namespace merge
