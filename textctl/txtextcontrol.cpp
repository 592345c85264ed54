#include "textctl/txtextcontrol.h"

#include "textctl/controltext.h"
#include "textctl/documentfiles.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/layoutformats.h"
#include "textctl/render/pagination.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/tablecells.h"

#include <QFile>
#include <QPainter>
#include <QTextDocument>

using namespace textctl;

namespace {

// Object and picture properties that must not pass to text typed over an
// object.
constexpr int kObjectProperties[] = {
    QTextFormat::ObjectType,
    QTextFormat::ImageName,
    QTextFormat::ImageWidth,
    QTextFormat::ImageHeight,
    QTextFormat::ImageQuality,
    prop::LiveFieldKind,
    prop::PictureKind,
    prop::PictureGoalWidth,
    prop::PictureGoalHeight,
    prop::PictureScaleX,
    prop::PictureScaleY,
    prop::PicturePicW,
    prop::PicturePicH,
    prop::PictureRtf,
    prop::PictureFixed,
    prop::PictureShapeLeft,
    prop::PictureShapeTop,
    prop::PictureShapeRight,
    prop::PictureShapeBottom,
    prop::PictureShapeRelX,
    prop::PictureShapeRelY,
    prop::PictureShapeWrap,
};

// LoadSaveAttribute's indexes: 0 width, 1 height, 2-5 the margins left,
// top, right, bottom.
constexpr std::array<int PageValues::*, 6> kLoadSaveFields{
    &PageValues::width,     &PageValues::height,      &PageValues::marginLeft,
    &PageValues::marginTop, &PageValues::marginRight, &PageValues::marginBottom,
};

int areaLength(const QTextDocument *doc)
{
    return doc ? doc->characterCount() - 1 : 0;
}

}  // namespace

TXTextControl::TXTextControl(QObject *parent)
    : QObject(parent)
{
    m_loadSave = m_doc.page;
    resetCursors();
    attachDocuments();
}

TXTextControl::~TXTextControl() = default;

QTextDocument *TXTextControl::targetDocument() const
{
    return m_doc.area(m_target);
}

QTextCursor &TXTextControl::targetCursor()
{
    QTextCursor &cursor = m_cursors[areaIndex(m_target)];
    QTextDocument *doc = targetDocument();
    // A null cursor has no document to ask for.
    const QTextDocument *current = cursor.isNull() ? nullptr : cursor.document();
    if (current != doc)
        cursor = doc ? QTextCursor(doc) : QTextCursor();
    return cursor;
}

QTextCursor TXTextControl::cursor() const
{
    return const_cast<TXTextControl *>(this)->targetCursor();
}

void TXTextControl::setCursor(const QTextCursor &cursor)
{
    if (!cursor.isNull() && cursor.document() == targetDocument()) {
        targetCursor() = cursor;
        emit selectionChanged();
    }
}

void TXTextControl::resetCursors()
{
    m_cursors[areaIndex(MainText)] = QTextCursor(m_doc.main());
    for (int code : kHeaderFooterAreas) {
        QTextDocument *doc = m_doc.area(code);
        m_cursors[areaIndex(code)] = doc ? QTextCursor(doc) : QTextCursor();
    }
}

void TXTextControl::attachDocuments()
{
    for (QTextDocument *doc : m_doc.texts()) {
        if (doc->property("txAttached").toBool())
            continue;
        doc->setProperty("txAttached", true);
        // The layout's own format upkeep is no edit: a window nobody typed
        // in must not count as modified once it is laid out.
        connect(doc, &QTextDocument::contentsChanged, this, [this, doc] {
            if (!m_loading && !textctl::settlingLayoutFormats(doc))
                emit Change();
        });
    }
}

QString TXTextControl::Text() const
{
    const QTextDocument *doc = targetDocument();
    return doc ? controlText(*doc) : QString();
}

void TXTextControl::setText(const QString &text)
{
    QTextCursor &cursor = targetCursor();
    if (cursor.isNull())
        return;
    cursor.select(QTextCursor::Document);
    insertControlText(cursor, text, formatForReplacement(cursor));
}

QString TXTextControl::SelText() const
{
    const QTextCursor cursor = this->cursor();
    if (cursor.isNull())
        return {};
    return controlText(*cursor.document(), cursor.selectionStart(), cursor.selectionEnd());
}

void TXTextControl::setSelText(const QString &text)
{
    QTextCursor &cursor = targetCursor();
    if (cursor.isNull())
        return;
    // The search copy is patched, not rebuilt: a merge makes hundreds of
    // these edits on one long document.
    const int from = cursor.selectionStart();
    const int removed = cursor.selectionEnd() - from;
    m_search.beginEdit(cursor.document());
    insertControlText(cursor, text, formatForReplacement(cursor));
    m_search.endEdit(cursor.document(), from, removed, rawControlText(text));
}

QTextCharFormat TXTextControl::formatForReplacement(const QTextCursor &cursor) const
{
    QTextCharFormat format;
    if (cursor.hasSelection()) {
        // The format of the first replaced character is that of the
        // character before the position just after it.
        QTextCursor probe(cursor.document());
        probe.setPosition(cursor.selectionStart() + 1);
        format = probe.charFormat();
    } else {
        format = cursor.charFormat();
    }
    // A field object's instruction is the object's own, not the typed text's.
    if (format.objectType() == prop::FieldObjectType || format.objectType() == prop::EmptyFieldObjectType) {
        format.clearProperty(prop::FieldInstruction);
        format.clearProperty(prop::FieldId);
    }
    for (int property : kObjectProperties)
        format.clearProperty(property);
    return format;
}

int TXTextControl::SelStart() const
{
    const QTextCursor cursor = this->cursor();
    return cursor.isNull() ? 0 : cursor.selectionStart();
}

void TXTextControl::setSelStart(int start)
{
    QTextCursor &cursor = targetCursor();
    if (!cursor.isNull())
        cursor.setPosition(qBound(0, start, areaLength(cursor.document())));
    emit selectionChanged();
}

int TXTextControl::SelLength() const
{
    const QTextCursor cursor = this->cursor();
    return cursor.isNull() ? 0 : cursor.selectionEnd() - cursor.selectionStart();
}

void TXTextControl::setSelLength(int length)
{
    QTextCursor &cursor = targetCursor();
    if (cursor.isNull())
        return;
    const int start = cursor.selectionStart();
    const int end = areaLength(cursor.document());
    cursor.setPosition(start);
    const int stop = length < 0 ? end : int(qMin<qint64>(qint64(start) + length, end));
    cursor.setPosition(textctl::selectionStopInTable(cursor.document(), start, stop), QTextCursor::KeepAnchor);
    emit selectionChanged();
}

int TXTextControl::Find(const QString &text, int start, int /*options*/)
{
    QTextCursor &cursor = targetCursor();
    if (cursor.isNull())
        return -1;
    const int found = m_search.find(cursor.document(), text, start);
    if (found < 0) {
        cursor.clearSelection();
        emit selectionChanged();
        return -1;
    }
    cursor.setPosition(found);
    cursor.setPosition(found + int(text.size()), QTextCursor::KeepAnchor);
    emit selectionChanged();
    return found;
}

void TXTextControl::setHeaderFooter(int set)
{
    m_doc.setHeaderFooterSet(set & kAllHeaderFooterAreas);
    if (!m_doc.area(m_active))
        m_active = 0;
    attachDocuments();
    emit headerFooterChanged();
}

void TXTextControl::setHeaderFooterSelect(int area)
{
    if (areaIndex(area) >= 0 && area != m_target) {
        m_target = area;
        emit selectionChanged();
    }
}

void TXTextControl::activateHeaderFooter(int area)
{
    if (areaIndex(area) < 0 || !m_doc.area(area))
        return;
    m_active = area;
    emit headerFooterChanged();
}

void TXTextControl::Undo()
{
    QTextCursor &cursor = targetCursor();
    if (!cursor.isNull())
        cursor.document()->undo(&cursor);
}

void TXTextControl::Redo()
{
    QTextCursor &cursor = targetCursor();
    if (!cursor.isNull())
        cursor.document()->redo(&cursor);
}

bool TXTextControl::canUndo() const
{
    const QTextDocument *doc = targetDocument();
    return doc && doc->isUndoAvailable();
}

bool TXTextControl::canRedo() const
{
    const QTextDocument *doc = targetDocument();
    return doc && doc->isRedoAvailable();
}

void TXTextControl::setPageWidth(int twips) { setPageValue(&PageValues::width, twips); }
void TXTextControl::setPageHeight(int twips) { setPageValue(&PageValues::height, twips); }
void TXTextControl::setPageMarginL(int twips) { setPageValue(&PageValues::marginLeft, twips); }
void TXTextControl::setPageMarginT(int twips) { setPageValue(&PageValues::marginTop, twips); }
void TXTextControl::setPageMarginR(int twips) { setPageValue(&PageValues::marginRight, twips); }
void TXTextControl::setPageMarginB(int twips) { setPageValue(&PageValues::marginBottom, twips); }

void TXTextControl::setPageValue(int PageValues::*value, int twips)
{
    PageValues values = m_doc.page;
    values.*value = twips;
    setPageValues(values);
}

void TXTextControl::setPageValues(const PageValues &values)
{
    if (static_cast<const PageValues &>(m_doc.page) == values)
        return;
    static_cast<PageValues &>(m_doc.page) = values;
    emit pageValuesChanged();
}

int TXTextControl::LoadSaveAttribute(int index) const
{
    return index >= 0 && index < int(kLoadSaveFields.size()) ? m_loadSave.*kLoadSaveFields[index] : 0;
}

void TXTextControl::setLoadSaveAttribute(int index, int twips)
{
    if (index >= 0 && index < int(kLoadSaveFields.size()))
        m_loadSave.*kLoadSaveFields[index] = twips;
}

void TXTextControl::setZoomFactor(int percent)
{
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    emit zoomChanged(percent);
}

void TXTextControl::setPrintZoom(int percent) { m_printZoom = percent; }
void TXTextControl::setInsertMode(bool insert) { m_insertMode = insert; }

void TXTextControl::setMousePointer(int shape)
{
    if (shape == m_mousePointer)
        return;
    m_mousePointer = shape;
    emit mousePointerChanged(shape);
}

bool TXTextControl::fail(const QString &message)
{
    m_error = message;
    return false;
}

// Runs a load or save with the document's page values replaced by the
// load/save attributes, then gives the attributes what the action left and
// the document its own page values back.
bool TXTextControl::withLoadSavePage(const std::function<bool()> &action)
{
    PageSetup &page = m_doc.page;
    const PageSetup own = page;
    setPageValues(m_loadSave);
    const bool ok = action();
    m_loadSave = page;
    const PageSetup read = page;
    page = own;
    page.headerY = read.headerY;
    page.footerY = read.footerY;
    return ok;
}

bool TXTextControl::Load(const QString &path, int start, int format)
{
    return loadWith([&] {
        if (start <= 0)
            return loadDocumentFile(path, format, m_doc, &m_error);
        // Content that starts after a header of the caller's: RTF only.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(start))
            return fail(QStringLiteral("No se puede leer el fichero %1").arg(path));
        return readRtf(file.readAll(), m_doc, &m_error);
    });
}

bool TXTextControl::LoadContent(const textctl::DocumentContent &content)
{
    return loadWith([&] { return loadDocumentContent(content, m_doc, &m_error); });
}

bool TXTextControl::loadWith(const std::function<bool()> &read)
{
    m_error.clear();
    m_loading = true;
    m_doc.main()->setUndoRedoEnabled(false);
    const bool ok = withLoadSavePage(read);
    for (QTextDocument *doc : m_doc.texts()) {
        doc->setUndoRedoEnabled(false);
        doc->setUndoRedoEnabled(true);
        doc->setModified(false);
    }
    resetCursors();
    attachDocuments();
    m_loading = false;
    emit headerFooterChanged();
    return ok;
}

bool TXTextControl::Save(const QString &path, int start, int format)
{
    if (start > 0)
        return Save(path, qint64(start));
    m_error.clear();
    if (format == kFormatText || format == kFormatTextSave)
        return saveDocumentFile(path, format, m_doc, &m_error);
    return withLoadSavePage([&] { return saveDocumentFile(path, format, m_doc, &m_error); });
}

bool TXTextControl::Save(const QString &path, qint64 offset)
{
    m_error.clear();
    return withLoadSavePage([&] { return saveDocumentAtOffset(path, offset, m_doc, &m_error); });
}

// The bytes of a file to insert at the input position; false with the
// error set when the file cannot be read or there is no target.
bool TXTextControl::readImport(const QString &path, QByteArray *bytes)
{
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("No se puede leer el fichero %1").arg(path));
    if (targetCursor().isNull())
        return fail(QStringLiteral("No hay zona de texto seleccionada."));
    *bytes = file.readAll();
    return true;
}

bool TXTextControl::RTFImport(const QString &path)
{
    QByteArray bytes;
    return readImport(path, &bytes) && insertRtf(bytes, targetCursor(), &m_error);
}

bool TXTextControl::TextImport(const QString &path)
{
    QByteArray bytes;
    if (!readImport(path, &bytes))
        return false;
    QTextCursor &cursor = targetCursor();
    insertControlText(cursor, decodeTextFile(bytes), formatForReplacement(cursor));
    return true;
}
