#include "merge/generacion.h"

#include "data/currentclaim.h"
#include "data/dictionary.h"
#include "merge/documenthost.h"
#include "merge/fusion.h"
#include "textctl/documentfiles.h"
#include "textctl/txtextcontrol.h"

#include <QTextDocument>

namespace merge {

namespace {

QList<data::campo> dictionaryLines(const data::FieldTable &table)
{
    return table.entries().mid(0, table.lineCount());
}

// Merging leaves no undo step: the report starts its history merged.
void withoutUndo(TXTextControl &control, const std::function<void()> &merge)
{
    QList<QTextDocument *> docs{control.document().main()};
    for (int area : textctl::RichDocument::kAreaCodes)
        if (QTextDocument *doc = control.document().area(area))
            docs.append(doc);
    for (QTextDocument *doc : docs)
        doc->setUndoRedoEnabled(false);
    merge();
    for (QTextDocument *doc : docs)
        doc->setUndoRedoEnabled(true);
}

}  // namespace

int loadFormatForPath(const QString &path)
{
    const QString ending = path.right(3).trimmed().toUpper();
    if (ending == u"DOC")
        return textctl::kFormatWord;
    if (ending == u"TXT")
        return textctl::kFormatText;
    if (ending == u"RTF")
        return textctl::kFormatRtf;
    return 0;
}

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
    if (!data::cargar_diccionario(programDir, &result.error))
        return result;
    host.fieldTableChanged();
    if (!data::openClaimData(programDir, &result.error))
        return result;
    textctl::DocumentContent content;
    content.path = path;
    if (const int format = loadFormatForPath(path);
        format != 0 && !textctl::readDocumentContent(path, format, &content, &result.error))
        return result;

    const data::ClaimData &claims = data::currentClaimData();
    QString numero;
    for (int registro = 1; registro <= claims.recordCount(); ++registro) {
        TXTextControl *control = host.abrirPlantilla(path, content);
        if (!control) {
            result.error = QStringLiteral("No se puede abrir el fichero: %1").arg(path);
            return result;
        }
        ++result.windows;
        data::FieldTable table;
        if (!data::loadDictionary(programDir, &table, &result.error))
            return result;
        withoutUndo(*control, [&] {
            fusionar_registro(*control, dictionaryLines(table), registro, programDir, &numero);
        });
        const data::HolderFields holder = claims.holder(registro);
        host.finishMergedWindow(captionForClaim(programDir, numero), numero, holder.titular, holder.cif);
    }
    result.ok = true;
    return result;
}

}  // namespace merge
